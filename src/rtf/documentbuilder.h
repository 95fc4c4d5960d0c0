#pragma once

#include "pictures/picturestore.h"

#include <QRgb>
#include <QSizeF>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>

#include "textlayout/longwords.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

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
    /// Raised and smaller (a note's mark), or lowered and smaller.
    QTextCharFormat::VerticalAlignment shift = QTextCharFormat::AlignNormal;
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
    /// A builder that counts, and records what it would build so that
    /// replayInto() builds it later, once the counts are known to be fine.
    /// Past mostSteps runs, pictures and paragraph ends, whose counts refuse
    /// the file, the recording is dropped, so that a hostile file costs no
    /// more memory; the counts go on.
    struct Recording {
        qsizetype mostSteps = std::numeric_limits<qsizetype>::max();
    };
    explicit DocumentBuilder(Recording recording);
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
    /// The document filled; null while only counting or recording.
    QTextDocument* document() const { return document_; }
    /// Whether pictures' data is wanted: a document is built now or later.
    bool keepsPictures() const { return document_ || recording_; }
    bool records() const { return recording_; }
    /// What this builder records at most, for text recorded apart from it (the notes).
    Recording recordingBounds() const { return {mostSteps_}; }

    /// Builds into the builder's document what this one recorded, ended as
    /// this one's finish() ended it; the recording is used up. Text recorded
    /// to follow the body (attachAfter) is given to afterBody, if any, to put there.
    void replayInto(DocumentBuilder& builder,
                    const std::function<void(DocumentBuilder& recorded, DocumentBuilder& body)>&
                        afterBody = {});
    /// A recording of text that goes after the body, kept for replayInto().
    void attachAfter(std::unique_ptr<DocumentBuilder> recorded) { after_ = std::move(recorded); }
    /// Counts what another builder built as if it were built here, so that
    /// text kept aside (the notes) meets the same bounds.
    void countAlso(const DocumentTally& other);

private:
    /// One thing a recording builder was told, the text of a run once it is
    /// whole; styles and pictures are kept apart, a document has few styles.
    struct Step {
        enum class Kind : std::uint8_t { Run, Picture, ParagraphEnd };
        Kind kind = Kind::Run;
        std::uint32_t index = 0;  ///< of the style of a run or a paragraph end, or of the picture
        QString text;
    };
    struct RecordedPicture {
        pictures::PicturePtr picture;
        PictureCount count;
    };

    qsizetype countPlainStart(QStringView text);
    void countUnbroken();
    void appendUnit(char16_t unit);
    void switchStyle(const CharStyle& style);
    const QTextCharFormat& formatOf(const CharStyle& style);
    void flushRun();
    void flushLoneSurrogate();

    QTextDocument* document_ = nullptr;  ///< null while only counting
    QTextDocument* pictureHome_ = nullptr;
    QTextCursor cursor_;
    DocumentTally tally_;
    qsizetype runsInParagraph_ = 0;
    qsizetype paragraphLength_ = 0;
    qsizetype unbroken_ = 0;  ///< units since the last place to break a line
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
    void record(Step step);
    std::uint32_t recordedStyle(const CharStyle& style);

    bool recording_ = false;
    qsizetype mostSteps_ = 0;
    bool droppedLastParagraph_ = false;  ///< what finish() was told, for the replay
    std::vector<Step> steps_;
    std::vector<CharStyle> recordedStyles_;
    std::vector<RecordedPicture> recordedPictures_;
    std::vector<std::pair<CharStyle, QTextCharFormat>> formats_;  ///< the styles met last
    std::unique_ptr<DocumentBuilder> after_;
};

}  // namespace vellumora::rtf
