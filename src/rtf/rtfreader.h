#pragma once

#include <QByteArrayView>

#include <functional>

class QTextDocument;

namespace vellumora::rtf {

/// The most text and formatting a file may hold, in bytes: everything but its
/// pictures' data fits in memory many times over.
inline constexpr qsizetype kMaxInputBytes = 64 * 1024 * 1024;
/// The most picture data a file may hold, in bytes, all its pictures together.
inline constexpr qsizetype kMaxPictureBytes = 256 * 1024 * 1024;
/// The largest file the reader takes on: its text, and its pictures written
/// as hexadecimal digits with line breaks and spaces between them.
inline constexpr qsizetype kMaxFileBytes = kMaxInputBytes + 3 * kMaxPictureBytes;

// What one file may make of the document. The text area keeps a layout for
// every paragraph, and lays a paragraph out as a whole in time that grows
// with the square of its runs (pieces of text in one style); it keeps the
// shaped glyphs of a whole paragraph, some forty times the paragraph's bytes.
// A file past one of these is refused before the document is touched.
inline constexpr qsizetype kMaxParagraphs = 200'000;
inline constexpr qsizetype kMaxRuns = 1'000'000;
inline constexpr qsizetype kMaxRunsInAParagraph = 5'000;
inline constexpr qsizetype kMaxParagraphLength = 1'000'000;
// A line breaks only between words; a word longer than a line is broken
// anywhere, but Qt looks for its end again from every line, in time that
// grows with the square of its length (minutes for a word of 900,000
// characters). The text areas keep that cost down by wrapping anywhere while
// they hold such a word; a file is refused well before it, since no prose
// holds a word of this length and text of it is not the user's story.
inline constexpr qsizetype kMaxWordLength = 20'000;

enum class ReadStatus {
    Loaded,               ///< the document holds the file's content
    TooLarge,             ///< more than kMaxInputBytes of text, or a file past kMaxFileBytes;
                          ///< the document is unchanged
    PicturesTooLarge,     ///< more than kMaxPictureBytes of pictures; unchanged
    TooManyParagraphs,    ///< more than kMaxParagraphs; the document is unchanged
    TooManyRuns,          ///< more than kMaxRuns; the document is unchanged
    ParagraphTooComplex,  ///< a paragraph of more than kMaxRunsInAParagraph runs; unchanged
    ParagraphTooLong,     ///< a paragraph of more than kMaxParagraphLength characters; unchanged
    WordTooLong,          ///< more than kMaxWordLength characters without a break; unchanged
};

/// What a file held that the document cannot keep, and a save would lose.
struct NotKept {
    int objects = 0;  ///< embedded objects (\object); the picture of each stays
    int shapes = 0;   ///< drawn shapes and text boxes (\shp) that have no picture

    bool isEmpty() const { return objects == 0 && shapes == 0; }
};

/// Told how far a read has come, in percent of the whole read.
using ReadProgress = std::function<void(int percent)>;

/// Whether the bytes start as an RTF file does: "{\rtf", white space allowed around the brace.
bool looksLikeRtf(QByteArrayView bytes);

/**
 * Replaces the document's content with the bytes read as Rich Text Format,
 * or as plain text (UTF-8 where valid, else Windows-1252) when they do not
 * start like RTF. Damaged or hostile input is read as far as it makes sense,
 * in time and memory proportional to its size; it fails for content only
 * past the bounds above, which are counted over a recording of what the file
 * makes before anything changes. Pictures become images of the document (see
 * pictures/picturestore.h); hidden text stays, marked (see hiddentext.h).
 * notKept, when given, hears what the file held that the document lacks.
 */
ReadStatus readDocument(QByteArrayView bytes, QTextDocument& document,
                        const ReadProgress& progress = {}, NotKept* notKept = nullptr);

}  // namespace vellumora::rtf
