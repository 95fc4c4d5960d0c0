#pragma once

class QPlainTextEdit;
class QTextEdit;

namespace vellumora {

class TextZoom;

namespace zoom {

/**
 * Lets a text area be zoomed with Ctrl+wheel, Ctrl++ (or Ctrl+=), Ctrl+-
 * and Ctrl+0, and shows it at the zoom, which it shares with every area
 * attached to the same TextZoom. Only the view grows: the area keeps its
 * size and place, its text wraps and scrolls inside it, and the text's own
 * font sizes stay as they are.
 */
void attach(QTextEdit* edit, TextZoom& zoom);
void attach(QPlainTextEdit* box, TextZoom& zoom);

/**
 * While it lives, the text area shows its text as the document is, at
 * normal size and without spelling marks, so a picture of it (Print) shows
 * the document and not the view.
 */
class AsDocumentWhile {
public:
    explicit AsDocumentWhile(QTextEdit& edit);
    ~AsDocumentWhile();
    AsDocumentWhile(const AsDocumentWhile&) = delete;
    AsDocumentWhile& operator=(const AsDocumentWhile&) = delete;

private:
    QTextEdit& edit_;
};

}  // namespace zoom
}  // namespace vellumora
