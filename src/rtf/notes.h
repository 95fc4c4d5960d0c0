#pragma once

#include "rtf/documentbuilder.h"

#include <QString>

#include <memory>

class QTextDocument;

namespace vellumora::rtf {

/**
 * The footnotes of a document being read. Their text is kept aside while the
 * body is read and follows it, each note in paragraphs of its own, so that
 * none is lost in a text area that has no notes. Marks number the notes in
 * the order of the body.
 */
class Notes {
public:
    /// The notes of the body's builder: into a document of their own, whose
    /// pictures the body's document keeps, or only counted or recorded, as
    /// the body is then.
    explicit Notes(DocumentBuilder& body);
    ~Notes();
    Notes(const Notes&) = delete;
    Notes& operator=(const Notes&) = delete;

    /// Where the text of a note goes; a paragraph is open there from then on.
    DocumentBuilder& output();
    /// Ends the paragraph of a note; style is that of its paragraph mark.
    void endParagraph(const CharStyle& style);
    /// A note's closing brace: a paragraph it left open ends with it.
    void endNote(const CharStyle& style);

    /**
     * The text of a note's mark (\chftn). A mark in the body numbers a new
     * note; the one inside a note repeats the number. Empty before the first
     * note, as there is no number to repeat.
     */
    QString mark(bool insideNote);

    /// Puts the notes after what the builder holds: into its document, or
    /// into its count, and its recording when it records.
    void appendTo(DocumentBuilder& builder);
    /// Builds recorded notes after the body that body builds.
    static void replay(DocumentBuilder& recorded, DocumentBuilder& body);

private:
    static void appendDocument(QTextDocument& target, const QTextDocument& notes);

    QTextDocument* body_;
    bool records_;
    DocumentBuilder::Recording recording_;
    std::unique_ptr<QTextDocument> document_;
    std::unique_ptr<DocumentBuilder> builder_;  // made at the first note's text
    int count_ = 0;
    bool paragraphOpen_ = false;
};

}  // namespace vellumora::rtf
