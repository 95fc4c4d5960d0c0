#include "rtf/documentbuilder.h"

#include "rtf/hiddentext.h"
#include "rtf/structuremarks.h"

#include <QColor>
#include <QFont>
#include <QTextBlockFormat>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <bitset>
#include <utility>

namespace vellumora::rtf {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

QTextCharFormat formatFor(const CharStyle& style) {
    QTextCharFormat format;
    if (!style.family.isEmpty()) {
        format.setFontFamilies(QStringList{style.family});
    }
    if (style.halfPoints > 0) {
        format.setFontPointSize(style.halfPoints / 2.0);
    }
    format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(style.italic);
    format.setFontUnderline(style.underline);
    if (style.colour) {
        format.setForeground(QColor::fromRgb(*style.colour));
    }
    if (style.hidden) {
        markHiddenText(format);
    }
    if (style.shift != QTextCharFormat::AlignNormal) {
        format.setVerticalAlignment(style.shift);
    }
    return format;
}

// What an ASCII unit is to a run and to a line: whether it goes into a run
// as it is (NUL, CR and LF do not), and whether a line may break after it.
enum AsciiKind : std::uint8_t { kPlain = 1, kBreaks = 2 };
constexpr auto kAsciiKinds = [] {
    std::array<std::uint8_t, 0x80> kinds{};
    for (char16_t unit = 0; unit < 0x80; ++unit) {
        const bool plain = unit != 0 && unit != u'\r' && unit != u'\n';
        const bool breaks = unit == u' ' || unit == u'-' || (unit >= 9 && unit <= 13);
        kinds[unit] = std::uint8_t((plain ? kPlain : 0) | (breaks ? kBreaks : 0));
    }
    return kinds;
}();

/// Whether a line may break after each unit below the scripts written
/// without spaces, worked out once rather than for every character.
constexpr char32_t kLooksUpScript = 0x2E80;
const std::bitset<kLooksUpScript>& lineBreaks() {
    static const auto breaks = [] {
        std::bitset<kLooksUpScript> units;
        for (char32_t unit = 0; unit < kLooksUpScript; ++unit) {
            units[unit] = textlayout::offersLineBreak(QChar(char16_t(unit)));
        }
        return units;
    }();
    return breaks;
}

}  // namespace

DocumentBuilder::DocumentBuilder(QTextDocument& document, QTextDocument* pictureHome)
    : document_(&document),
      pictureHome_(pictureHome ? pictureHome : &document),
      undoWasEnabled_(document.isUndoRedoEnabled()) {
    document_->setUndoRedoEnabled(false);
    document_->clear();
    cursor_ = QTextCursor(document_);
    // One edit block for the whole build: the layout, and whoever watches the
    // document, hear of the new content once rather than after every run,
    // which would lay a long paragraph out again for each of its runs. The
    // page size is set aside meanwhile: a layout without one does nothing,
    // and getting it back makes a text area lay the new document out from
    // the top, its first page at once and the rest in idle time.
    pageSize_ = document_->pageSize();
    document_->setPageSize(QSizeF(0, 0));  // a null size, not the invalid QSizeF()
    cursor_.beginEditBlock();
    runFormat_ = formatFor(runStyle_);
    markFormat_ = runFormat_;
}

DocumentBuilder::DocumentBuilder() {
    runFormat_ = formatFor(runStyle_);
}

DocumentBuilder::DocumentBuilder(Recording recording)
    : recording_(true), mostSteps_(recording.mostSteps) {}

void DocumentBuilder::record(Step step) {
    if (qsizetype(steps_.size()) >= mostSteps_) {
        recording_ = false;
        steps_ = {};
        recordedStyles_ = {};
        recordedPictures_ = {};
        return;
    }
    steps_.push_back(std::move(step));
}

// The style is most often one of the last few: a document switches between a handful.
std::uint32_t DocumentBuilder::recordedStyle(const CharStyle& style) {
    constexpr std::size_t kLooked = 16;
    const std::size_t from = recordedStyles_.size() - std::min(recordedStyles_.size(), kLooked);
    for (std::size_t i = recordedStyles_.size(); i > from; --i) {
        if (recordedStyles_[i - 1] == style) {
            return std::uint32_t(i - 1);
        }
    }
    recordedStyles_.push_back(style);
    return std::uint32_t(recordedStyles_.size() - 1);
}

DocumentBuilder::~DocumentBuilder() {
    if (!finished_) {
        finish(false);
    }
}

void DocumentBuilder::appendText(QStringView text, const CharStyle& style) {
    if (text.isEmpty()) {
        return;
    }
    switchStyle(style);
    // Most text goes in whole; a unit of its own is looked at only where one needs it.
    while (!text.isEmpty()) {
        const qsizetype plain = countPlainStart(text);
        if (plain > 0) {
            flushLoneSurrogate();
            run_ += text.first(plain);
            paragraphHasText_ = true;
            text = text.sliced(plain);
        }
        if (!text.isEmpty()) {
            appendUnit(text.front().unicode());
            text = text.sliced(1);
        }
    }
}

// How many units at the start of the text go into a run as they are: no
// surrogates, structure marks, paragraph or line ends, NUL. The stretches
// without a place to break a line are counted in the same loop, as the text
// is looked at here anyway and most files are mostly text.
qsizetype DocumentBuilder::countPlainStart(QStringView text) {
    const std::bitset<kLooksUpScript>& breaksAfter = lineBreaks();
    const char16_t* units = text.utf16();
    const qsizetype size = text.size();
    qsizetype length = 0;
    qsizetype unbroken = unbroken_;
    qsizetype longest = tally_.longestWord;
    while (length < size) {
        const char16_t unit = units[length];
        bool breaks = false;
        if (unit < 0x80) {
            const std::uint8_t kind = kAsciiKinds[unit];
            if (!(kind & kPlain)) {
                break;
            }
            breaks = kind & kBreaks;
        } else {
            if (QChar::isSurrogate(unit) || isStructureMark(unit) ||
                unit == QChar::ParagraphSeparator) {
                break;
            }
            breaks = unit < kLooksUpScript ? breaksAfter[unit]
                                           : textlayout::offersLineBreak(QChar(unit));
        }
        if (breaks) {
            longest = std::max(longest, unbroken);
            unbroken = 0;
        } else {
            ++unbroken;
        }
        ++length;
    }
    unbroken_ = unbroken;
    tally_.longestWord = std::max(longest, unbroken);
    return length;
}

// A unit that goes into a run but offers no place to break a line.
void DocumentBuilder::countUnbroken() {
    tally_.longestWord = std::max(tally_.longestWord, ++unbroken_);
}

void DocumentBuilder::appendUnit(char16_t unit) {
    if (QChar::isHighSurrogate(unit)) {
        flushLoneSurrogate();
        pendingHighSurrogate_ = unit;
        return;
    }
    if (QChar::isLowSurrogate(unit)) {
        if (pendingHighSurrogate_ == 0) {
            run_ += QChar(kReplacement);
        } else {
            run_ += QChar(pendingHighSurrogate_);
            run_ += QChar(unit);
            pendingHighSurrogate_ = 0;
            countUnbroken();
        }
        countUnbroken();
        paragraphHasText_ = true;
        return;
    }
    flushLoneSurrogate();
    if (isStructureMark(unit))
        return;  // frames and objects are not made from text
    switch (unit) {
        case 0:
        case u'\r':
        case u'\n':
            return;  // nor are blocks
        case QChar::ParagraphSeparator:
            endParagraph(runStyle_);
            return;
        default:
            run_ += QChar(unit);
            countUnbroken();
            paragraphHasText_ = true;
    }
}

void DocumentBuilder::flushLoneSurrogate() {
    if (pendingHighSurrogate_ != 0) {
        run_ += QChar(kReplacement);
        pendingHighSurrogate_ = 0;
        countUnbroken();
        paragraphHasText_ = true;
    }
}

void DocumentBuilder::switchStyle(const CharStyle& style) {
    if (style == runStyle_) {
        return;
    }
    flushRun();
    runStyle_ = style;
    if (document_) {
        runFormat_ = formatOf(style);  // counting needs no formats
    }
}

// A document has a few styles that come back run after run: each is made into
// a format once, and Qt finds a format it has seen again the faster.
const QTextCharFormat& DocumentBuilder::formatOf(const CharStyle& style) {
    constexpr std::size_t kFormatsKept = 16;
    for (const auto& [known, format] : formats_) {
        if (known == style) {
            return format;
        }
    }
    if (formats_.size() == kFormatsKept) {
        formats_.erase(formats_.begin());
    }
    return formats_.emplace_back(style, formatFor(style)).second;
}

void DocumentBuilder::flushRun() {
    if (run_.isEmpty()) {
        return;
    }
    ++tally_.runs;
    tally_.mostRunsInAParagraph = std::max(tally_.mostRunsInAParagraph, ++runsInParagraph_);
    paragraphLength_ += run_.size();
    tally_.longestParagraph = std::max(tally_.longestParagraph, paragraphLength_);
    if (recording_) {
        record({Step::Kind::Run, recordedStyle(runStyle_), std::exchange(run_, QString())});
        return;
    }
    if (document_) {
        cursor_.insertText(run_, runFormat_);
    }
    run_.clear();
}

void DocumentBuilder::appendPicture(const pictures::PicturePtr& picture,
                                    const PictureCount& count) {
    flushLoneSurrogate();
    flushRun();
    tally_.pictureBytes += count.dataBytes;
    tally_.pictureSourceBytes += count.sourceBytes;
    ++tally_.runs;
    tally_.mostRunsInAParagraph = std::max(tally_.mostRunsInAParagraph, ++runsInParagraph_);
    tally_.longestParagraph = std::max(tally_.longestParagraph, ++paragraphLength_);
    countUnbroken();  // the picture's place in the text
    paragraphHasText_ = true;
    if (recording_) {
        recordedPictures_.push_back({picture, count});
        record({Step::Kind::Picture, std::uint32_t(recordedPictures_.size() - 1), {}});
    }
    if (document_ && picture) {
        const QString name = pictures::add(*pictureHome_, picture);
        cursor_.insertImage(pictures::imageFormat(name, picture->shownSize()));
    }
}

void DocumentBuilder::endParagraph(const CharStyle& style) {
    if (style.hidden) {
        // A text document shows every paragraph end, and a paragraph ended
        // by typing after hidden text must not join the next when saved: a
        // hidden mark ends its paragraph as a visible one.
        CharStyle visible = style;
        visible.hidden = false;
        endParagraph(visible);
        return;
    }
    flushLoneSurrogate();
    flushRun();
    ++tally_.paragraphs;
    runsInParagraph_ = 0;
    paragraphLength_ = 0;
    unbroken_ = 0;
    paragraphHasText_ = false;
    paragraphEnded_ = true;
    if (recording_) {
        record({Step::Kind::ParagraphEnd, recordedStyle(style), {}});
    }
    if (!document_) {
        return;
    }
    if (markStyle_ != style) {
        markStyle_ = style;
        markFormat_ = formatOf(style);
    }
    // A paragraph opened by a mark of the same style has its mark format already.
    if (blockMarkStyle_ != style) {
        cursor_.setBlockCharFormat(markFormat_);
    }
    cursor_.insertBlock(QTextBlockFormat(), markFormat_);
    blockMarkStyle_ = style;
}

void DocumentBuilder::finish(bool dropEmptyLastParagraph) {
    flushLoneSurrogate();
    flushRun();
    finished_ = true;
    const bool dropLast = dropEmptyLastParagraph && paragraphEnded_ && !paragraphHasText_;
    droppedLastParagraph_ = dropEmptyLastParagraph;
    if (dropLast) {
        --tally_.paragraphs;
    }
    if (!document_) {
        return;
    }
    if (dropLast) {
        cursor_.deletePreviousChar();
    }
    cursor_.endEditBlock();
    document_->setPageSize(pageSize_);
    document_->setUndoRedoEnabled(undoWasEnabled_);
}

void DocumentBuilder::replayInto(
    DocumentBuilder& builder,
    const std::function<void(DocumentBuilder& recorded, DocumentBuilder& body)>& afterBody) {
    for (Step& step : steps_) {
        switch (step.kind) {
            case Step::Kind::Run:
                // A recorded run is whole and holds only what a run may hold.
                builder.switchStyle(recordedStyles_[step.index]);
                builder.run_ = std::move(step.text);
                builder.paragraphHasText_ = true;
                builder.flushRun();
                break;
            case Step::Kind::Picture:
                builder.appendPicture(recordedPictures_[step.index].picture,
                                      recordedPictures_[step.index].count);
                break;
            case Step::Kind::ParagraphEnd:
                builder.endParagraph(recordedStyles_[step.index]);
                break;
        }
    }
    steps_ = {};
    recordedStyles_ = {};
    recordedPictures_ = {};
    builder.finish(droppedLastParagraph_);
    if (after_ && afterBody) {
        afterBody(*after_, builder);
    }
    after_.reset();
}

void DocumentBuilder::countAlso(const DocumentTally& other) {
    tally_.paragraphs += other.paragraphs;
    tally_.runs += other.runs;
    tally_.mostRunsInAParagraph = std::max(tally_.mostRunsInAParagraph, other.mostRunsInAParagraph);
    tally_.longestParagraph = std::max(tally_.longestParagraph, other.longestParagraph);
    tally_.longestWord = std::max(tally_.longestWord, other.longestWord);
    tally_.pictureBytes += other.pictureBytes;
    tally_.pictureSourceBytes += other.pictureSourceBytes;
}

}  // namespace vellumora::rtf
