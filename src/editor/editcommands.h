#pragma once

#include <QtGlobal>

class QWidget;

namespace vellumora {

struct AppContext;
class DocumentFiles;
class DocumentTextEdit;

/**
 * The commands of the Edit and Options menus and Print: plain-text
 * clipboard, Find and Find Next, the spelling check, Font, Color, and printing an image of the
 * editor's client area. They act on the text area and ask through the
 * program's dialogs.
 */
class EditCommands {
public:
    EditCommands(AppContext& context, DocumentTextEdit& text, DocumentFiles& files,
                 QWidget& clientArea);

    /// Cut and Copy are offered while something is selected.
    bool canCutOrCopy() const;
    /// Paste is offered while the clipboard holds text or pictures.
    bool canPaste() const;

    void cut();
    void copy();
    void paste();

    void find();
    void findNext();
    void checkSpelling();

    void chooseFont();
    void chooseColor();
    void print();

private:
    /// Selects the first match of the search text at or after start, or
    /// tells that there is none in a message with the given title and text.
    void searchFrom(qsizetype start, const char* title, const char* notFound);

    AppContext& context_;
    DocumentTextEdit& text_;
    DocumentFiles& files_;
    QWidget& clientArea_;
};

}  // namespace vellumora
