#pragma once

#include "pictures/picturestore.h"

#include <QRgb>
#include <QSizeF>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>

#include "textlayout/longwords.h"

#include <optional>

class QTextDocument;

namespace vellumora::rtf {

/// The character attributes the reader carries into the document.
struct CharStyle {
    QString family;      ///< empty: the document's default font
    int halfPoints = 0;  ///< 0: the document's default size
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool hidden = false;         ///< see hiddentext.h
    std::optional<QRgb> colour;  ///< empty: the automatic colour

    bool operator==(const CharStyle&) const = default;
};

/// How much a build made: what the bounds of a read are checked against.
struct DocumentTally {
    qsizetype paragraphs = 1;
    qsizetype runs = 0;  ///< pieces of text in one style, over the whole document
    qsizetype mostRunsInAParagraph = 0;
    qsizetype longestParagraph = 0;  ///< in UTF-16 units
    qsizetype longestWord = 0;       ///< the longest stretch without a place to break a line
    qsizetype pictureBytes = 0;      ///< the data of every picture
    qsizetype pictureSourceBytes = 0;  ///< the bytes of the file that picture data took
};

/// How much of a file one picture took, and how many bytes its data are.
struct PictureCount {
    qsizetype dataBytes = 0;
    qsizetype sourceBytes = 0;
};

/**
 * Fills a text document from the start, run by run and paragraph by
 * paragraph. Adjacent text of the same style becomes one run. Characters that
 * would make blocks or frames of their own are kept out of the text, a lone
 * UTF-16 surrogate becomes U+FFFD, and undo history is not recorded.
 */
class DocumentBuilder {
public:
    /// Empties the document; its default font and other settings stay.
    /// Pictures are kept with pictureHome, the document itself by default.
    explicit DocumentBuilder(QTextDocument& document, QTextDocument* pictureHome = nullptr);
    /// A builder that only counts what it would build, touching no document.
    DocumentBuilder();
    ~DocumentBuilder();
    DocumentBuilder(const DocumentBuilder&) = delete;
    DocumentBuilder& operator=(const DocumentBuilder&) = delete;

    void appendText(QStringView text, const CharStyle& style);
    /// A picture in the text, in place of one character; null while only counting.
    void appendPicture(const pictures::PicturePtr& picture, const PictureCount& count);
    /// Ends the current paragraph; style is that of its paragraph mark.
    void endParagraph(const CharStyle& style);

    /**
     * Writes what is still pending. With dropEmptyLastParagraph, an empty
     * paragraph opened by the last paragraph end is removed, as RTF files
     * end their last paragraph with a paragraph mark.
     */
    void finish(bool dropEmptyLastParagraph);

    const DocumentTally& tally() const { return tally_; }
    /// The document filled; null while only counting.
    QTextDocument* document() const { return document_; }
    /// Counts what another builder built as if it were built here, so that
    /// text kept aside (the notes) meets the same bounds.
    void countAlso(const DocumentTally& other);

private:
    void appendUnit(char16_t unit);
    void switchStyle(const CharStyle& style);
    void flushRun();
    void flushLoneSurrogate();

    QTextDocument* document_ = nullptr;  ///< null while only counting
    QTextDocument* pictureHome_ = nullptr;
    QTextCursor cursor_;
    DocumentTally tally_;
    qsizetype runsInParagraph_ = 0;
    qsizetype paragraphLength_ = 0;
    textlayout::UnbrokenRunCounter words_;
    bool undoWasEnabled_ = false;
    QSizeF pageSize_;
    QString run_;
    CharStyle runStyle_;
    QTextCharFormat runFormat_;
    CharStyle markStyle_;
    QTextCharFormat markFormat_;
    std::optional<CharStyle> blockMarkStyle_;  ///< the current paragraph's mark style, once known
    char16_t pendingHighSurrogate_ = 0;
    bool paragraphHasText_ = false;
    bool paragraphEnded_ = false;
    bool finished_ = false;
};

}  // namespace vellumora::rtf
