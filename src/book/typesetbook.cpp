#include "book/typesetbook.h"

#include "book/bookfont.h"
#include "book/storyoutline.h"
#include "pictures/pictureview.h"
#include "store/catalogue.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace vellumora::book {

namespace {

constexpr qreal kCmPerInch = 2.54, kPointsPerInch = 72;
constexpr qreal kBodyPoints = 12, kLargePrintPoints = 16;
// Baseline to baseline, in the type's size.
constexpr qreal kLeading = 1.3;
// A line of some 65 characters reads best; narrow paper gives fewer.
constexpr int kLineCharacters = 66;
// Margins at the least; printed on both sides, the inner one is wider for the binding.
constexpr qreal kSideCm = 1.8, kInnerCm = 2.0, kOuterCm = 1.6;
constexpr qreal kInnerShare = 0.55;
constexpr qreal kTopShare = 0.085, kBottomShare = 0.10, kTopCm = 1.8, kBottomCm = 2.0;
// Sizes against the body's.
constexpr qreal kChapterTitleScale = 2.0, kChapterNumberScale = 1.2, kRunningHeadScale = 0.85,
                kPageNumberScale = 0.85, kCaptionScale = 0.9, kBookTitleScale = 2.4, kByScale = 1.2,
                kAuthorScale = 1.6, kContentsTitleScale = 1.8;
// Space between the parts of the text, in the body's size: over a question
// and under it, around a picture and over its caption, under a chapter's
// number and under its title, around a poem she centred.
constexpr qreal kOverQuestion = 1.4, kUnderQuestion = 0.35, kAroundPicture = 0.6,
                kOverCaption = 0.2, kUnderNumber = 0.5, kUnderTitle = 2.5, kAroundSetApart = 0.5;
// A chapter's number stands this far down its first page.
constexpr qreal kOpeningDrop = 0.16;
// A paragraph right after a picture and no longer than this is its caption.
constexpr int kCaptionLength = 160;
// The first line of a paragraph is indented by this many times the type's size.
constexpr qreal kIndent = 1.5;
// A letter spacing too small to see, which keeps the face from joining
// letters into ligatures: a PDF cannot say which letters a ligature stands
// for, and "The" and "little" would be found, copied and read aloud as "e"
// and "lile". (Qt counts a spacing below 1/64 pixel as none.)
constexpr qreal kNoLigatures = 0.05;
// No word shorter than this is as wide as a line.
constexpr qsizetype kLongWord = 24;
// Laying out reports this many times over the story, enough for a smooth bar.
constexpr int kLayoutReports = 200;

const QString kMeasuringText = QStringLiteral(
    "We lived in a small house by the river, and every summer my brothers and I built rafts "
    "from whatever the flood had left behind. Mother called us in at dusk.");

/// The book's copy of the story is never laid out as a whole: the book lays
/// out each paragraph itself, line by line, and places the lines on its
/// pages. This layout only lends the copy its paint device and its pictures.
class LinesOnlyLayout final : public QAbstractTextDocumentLayout {
public:
    using QAbstractTextDocumentLayout::QAbstractTextDocumentLayout;
    void draw(QPainter*, const PaintContext&) override {}
    int hitTest(const QPointF&, Qt::HitTestAccuracy) const override { return -1; }
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override { return {}; }
    QRectF frameBoundingRect(QTextFrame*) const override { return {}; }
    QRectF blockBoundingRect(const QTextBlock&) const override { return {}; }

protected:
    void documentChanged(int, int, int) override {}
};

bool isPictureOnly(const QString& text) {
    bool picture = false;
    for (const QChar c : text) {
        if (c == QChar::ObjectReplacementCharacter)
            picture = true;
        else if (!c.isSpace())
            return false;
    }
    return picture;
}

bool isHeading(TypesetBook::Role role) {
    return role == TypesetBook::Role::ChapterNumber || role == TypesetBook::Role::ChapterTitle ||
           role == TypesetBook::Role::Question;
}

/// Breaks the text into lines of the width, centred, at words (a word longer
/// than the width wherever it must be); how many.
int setLines(QTextLayout& layout, qreal width) {
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return layout.lineCount();
}

/// Breaks the text into as few lines as the width allows, of even lengths:
/// at the narrowest width that takes no more of them, so that a title is not
/// left with one short word alone under it. The width it took.
qreal setEvenLines(QTextLayout& layout, qreal width) {
    const int lines = setLines(layout, width);
    if (lines < 2)
        return width;
    qreal narrow = width / lines, wide = width;
    for (int step = 0; step < 12; ++step) {
        const qreal middle = (narrow + wide) / 2;
        (setLines(layout, middle) > lines ? narrow : wide) = middle;
    }
    setLines(layout, wide);
    return wide;
}

/// The first of the places a page may end at that leaves something on it.
std::size_t firstPast(std::size_t first, std::initializer_list<std::size_t> ends) {
    return *std::find_if(ends.begin(), ends.end(),
                         [first](std::size_t end) { return end > first; });
}

QTextLayout::FormatRange wholeParagraph(const QTextBlock& block, const QTextCharFormat& format) {
    return {0, block.length(), format};
}

}  // namespace

TypesetBook::TypesetBook(const QTextDocument& story, QPaintDevice& device, BookOptions options)
    : copy_(story.clone()),
      device_(device),
      options_(std::move(options)),
      bodyPoints_(options_.largePrint ? kLargePrintPoints : kBodyPoints) {
    bodyFont_ = font(1);
    paper_ = QRectF(0, 0, device_.width(), device_.height());
    measurePage();
    prepareCopy();
}

TypesetBook::~TypesetBook() = default;

qreal TypesetBook::points(qreal pt) const {
    return pt / kPointsPerInch * device_.logicalDpiY();
}

QFont TypesetBook::font(qreal scale, bool italic) const {
    QFont font(bookFamily());
    font.setPointSizeF(bodyPoints_ * scale);
    font.setItalic(italic);
    font.setLetterSpacing(QFont::AbsoluteSpacing, kNoLigatures);
    return font;
}

// The text is as wide as some 65 characters of the body's type where the
// paper allows, and stands a little above the page's middle.
void TypesetBook::measurePage() {
    const qreal dotsX = device_.logicalDpiX() / kCmPerInch,
                dotsY = device_.logicalDpiY() / kCmPerInch;
    const QFontMetricsF metrics(bodyFont_, &device_);
    const qreal wanted =
        metrics.horizontalAdvance(kMeasuringText) / kMeasuringText.size() * kLineCharacters;
    const qreal leastInner = (options_.twoSided ? kInnerCm : kSideCm) * dotsX;
    const qreal leastOuter = (options_.twoSided ? kOuterCm : kSideCm) * dotsX;
    textWidth_ = std::min(wanted, paper_.width() - leastInner - leastOuter);
    const qreal room = paper_.width() - textWidth_;
    inner_ = options_.twoSided ? std::max(leastInner, room * kInnerShare) : room / 2;
    outer_ = room - inner_;
    top_ = std::max(kTopCm * dotsY, paper_.height() * kTopShare);
    const qreal bottom = std::max(kBottomCm * dotsY, paper_.height() * kBottomShare);
    textHeight_ = paper_.height() - top_ - bottom;
}

void TypesetBook::prepareCopy() {
    copy_->setUndoRedoEnabled(false);
    // Set before anything asks for the copy's layout, so that no other is made.
    copy_->setDocumentLayout(new LinesOnlyLayout(copy_.get()));
    copy_->documentLayout()->setPaintDevice(&device_);
    copy_->setDocumentMargin(0);
    // Pictures no wider than the text and, with room left for a caption, no
    // taller than a page: the pictures' layout takes its limits from the page size.
    const qreal captionRoom = 4 * points(bodyPoints_ * kLeading);
    copy_->setPageSize(QSizeF(textWidth_, textHeight_ - captionRoom));
    pictures::showPictures(*copy_);
    // Her fonts and sizes give way to the book's; bold, italic, underlining and colours stay.
    copy_->setDefaultFont(bodyFont_);
    QTextCharFormat book;
    book.setFontFamilies(QStringList{bookFamily()});
    book.setFontPointSize(bodyPoints_);
    book.setFontLetterSpacingType(QFont::AbsoluteSpacing);
    book.setFontLetterSpacing(kNoLigatures);
    QTextCursor all(copy_.get());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(book);
}

// --- Reading the story into lines ---

bool TypesetBook::layOut(const BookProgress& progress) {
    progress_ = &progress;
    total_ = copy_->characterCount();
    nextReport_ = 0;
    stopped_ = false;
    for (const OutlineChapter& chapter : outlineOf(*copy_)) {
        if (!options_.includeUnanswered && !chapter.answered())
            continue;
        addChapter(chapter);
        if (stopped_)
            return false;
    }
    paginate();
    fillContents();
    return !progress || progress(total_, total_);
}

bool TypesetBook::reportProgress(const QTextBlock& block) {
    if (stopped_ || block.position() < nextReport_)
        return !stopped_;
    nextReport_ = block.position() + total_ / kLayoutReports + 1;
    stopped_ = *progress_ && !(*progress_)(block.position(), total_);
    return !stopped_;
}

void TypesetBook::addChapter(const OutlineChapter& chapter) {
    chapters_.append(Chapter{});
    newPage_ = true;
    if (chapter.block >= 0)
        addOpening(chapter);
    addText(chapter.block + 1, chapter.textEnd);
    for (const OutlineQuestion& question : chapter.questions) {
        if (stopped_)
            return;
        if (!options_.includeUnanswered && !question.answered)
            continue;
        addQuestion(copy_->findBlockByNumber(question.block));
        addText(question.block + 1, question.answerEnd);
    }
}

void TypesetBook::addOpening(const OutlineChapter& chapter) {
    Chapter& opened = chapters_.last();
    opened.title = titleCase(QLatin1StringView(catalogue::chapters()[chapter.chapter].heading));
    opened.number = ++chapterNumber_;
    QFont number = font(kChapterNumberScale);
    number.setLetterSpacing(QFont::PercentageSpacing, 108);
    addHeading(QStringLiteral("Chapter %1").arg(opened.number), Role::ChapterNumber, number,
               textHeight_ * kOpeningDrop);
    addHeading(opened.title, Role::ChapterTitle, font(kChapterTitleScale),
               points(bodyPoints_ * kUnderNumber));
    spaceAfter_ = points(bodyPoints_ * kUnderTitle);
}

void TypesetBook::addHeading(const QString& text, Role role, const QFont& font, qreal above) {
    headings_.push_back(std::make_unique<QTextLayout>(text, font, &device_));
    addParagraph(role, headings_.back().get(), QTextBlock(), above, 0, Qt::AlignHCenter);
}

void TypesetBook::addQuestion(const QTextBlock& block) {
    QTextCharFormat question;
    question.setFontItalic(true);
    block.layout()->setFormats({wholeParagraph(block, question)});
    addParagraph(Role::Question, block.layout(), block, points(bodyPoints_ * kOverQuestion), 0,
                 Qt::AlignLeft);
    spaceAfter_ = points(bodyPoints_ * kUnderQuestion);
}

// Her paragraphs as the book's: blank ones left out (space and indents part
// them), a paragraph of pictures centred, the short one under it its caption.
void TypesetBook::addText(int from, int to) {
    bool afterPicture = false;
    for (QTextBlock block = copy_->findBlockByNumber(from);
         block.isValid() && block.blockNumber() < to && reportProgress(block);
         block = block.next()) {
        const QString text = block.text();
        const bool picture = isPictureOnly(text);
        if (isBlank(text)) {
            afterPicture = false;
            continue;
        }
        if (picture) {
            addParagraph(Role::Picture, block.layout(), block, points(bodyPoints_ * kAroundPicture),
                         0, Qt::AlignHCenter);
            spaceAfter_ = points(bodyPoints_ * kAroundPicture);
        } else if (afterPicture && text.size() <= kCaptionLength) {
            QTextCharFormat caption;
            caption.setFontItalic(true);
            caption.setFontPointSize(bodyPoints_ * kCaptionScale);
            block.layout()->setFormats({wholeParagraph(block, caption)});
            spaceAfter_ = 0;  // a caption stands close under its picture
            addParagraph(Role::Caption, block.layout(), block, points(bodyPoints_ * kOverCaption),
                         0, Qt::AlignHCenter);
            spaceAfter_ = points(bodyPoints_ * kAroundPicture);
        } else {
            addBody(block);
        }
        afterPicture = picture;
    }
}

// Her paragraphs are the book's, justified and indented but after a heading
// or a picture; the ones she centred (a poem, a verse) or set at the right
// keep her alignment, with no indent to put them off it, and stand a little
// apart from the book's paragraphs around them.
void TypesetBook::addBody(const QTextBlock& block) {
    const Qt::Alignment hers = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    const bool setApart = hers & (Qt::AlignHCenter | Qt::AlignRight);
    const Paragraph* previous = paragraphs_.empty() ? nullptr : &paragraphs_.back();
    const bool afterSetApart = previous && previous->role == Role::Body &&
                               !(previous->layout->textOption().alignment() & Qt::AlignJustify);
    const qreal above = previous && previous->role == Role::Body && afterSetApart != setApart
                            ? points(bodyPoints_ * kAroundSetApart)
                            : 0;
    if (setApart) {
        addParagraph(Role::Body, block.layout(), block, above, 0, hers);
        return;
    }
    const qreal indent = afterHeading_ ? 0 : points(bodyPoints_ * kIndent);
    addParagraph(Role::Body, block.layout(), block, above, indent, Qt::AlignJustify);
}

void TypesetBook::addParagraph(Role role, QTextLayout* layout, const QTextBlock& block, qreal above,
                               qreal indent, Qt::Alignment alignment) {
    // A question left without an answer stays with the next question, and
    // so on to the first lines of an answer: a heading never ends a page.
    const Role previous = paragraphs_.empty() ? Role::Body : paragraphs_.back().role;
    const bool followsHeading = isHeading(previous) && !newPage_;
    const int index = int(paragraphs_.size());
    paragraphs_.push_back({role, layout, block});
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    if (block.isValid())
        option.setTextDirection(block.textDirection());
    const int lines =
        breakLines(*layout, block.isValid() ? block.text() : layout->text(), option, indent);
    const bool keptWithPrevious = followsHeading || role == Role::Caption;
    for (int i = 0; i < lines; ++i) {
        // No line alone at a page's foot or top; a heading stays whole and
        // keeps the first two lines of what it heads.
        bool mayBreak = i == 0 ? !keptWithPrevious : !isHeading(role) && i >= 2 && lines - i >= 2;
        if (!isHeading(role) && linesSinceHeading_ == 1)
            mayBreak = false;
        slots_.push_back({.paragraph = index,
                          .line = i,
                          .advance = lineAdvance(role, layout->lineAt(i).height()),
                          .above = i == 0 ? above + spaceAfter_ : 0,
                          .mayBreakBefore = mayBreak,
                          .newPage = i == 0 && newPage_,
                          .chapter = int(chapters_.size()) - 1});
        ++linesSinceHeading_;
    }
    if (lines > 0)
        newPage_ = false;
    spaceAfter_ = 0;
    afterHeading_ = role != Role::Body;
    if (isHeading(role))
        linesSinceHeading_ = 0;
}

// Every line at the text's width, the first indented; each is placed on its
// page later, so all stand at the top of the paragraph here. A word longer
// than a line (a web address, her long laugh) has to be broken anyway: it
// starts where the line before it has room, rather than leave that line
// short, or stretched wide where it is justified.
int TypesetBook::breakLines(QTextLayout& layout, const QString& text, const QTextOption& option,
                            qreal indent) const {
    layout.setTextOption(option);
    QTextOption anywhere = option;
    anywhere.setWrapMode(QTextOption::WrapAnywhere);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        const qreal lineIndent = line.lineNumber() == 0 ? indent : 0;
        line.setLineWidth(textWidth_ - lineIndent);
        if (wordAfterIsOverLong(text, line.textStart() + line.textLength())) {
            layout.setTextOption(anywhere);  // taken up when the line is laid out again
            line.setLineWidth(textWidth_ - lineIndent);
            layout.setTextOption(option);
        }
        line.setPosition(QPointF(lineIndent, 0));
    }
    layout.endLayout();
    return layout.lineCount();
}

bool TypesetBook::wordAfterIsOverLong(const QString& text, int from) const {
    const auto end =
        std::find_if(text.cbegin() + from, text.cend(), [](QChar c) { return c.isSpace(); });
    const qsizetype length = end - (text.cbegin() + from);
    // Measured only when long enough to matter: few words are.
    return length >= kLongWord &&
           QFontMetricsF(bodyFont_, &device_).horizontalAdvance(text.mid(from, length)) >
               textWidth_;
}

qreal TypesetBook::lineAdvance(Role role, qreal height) const {
    switch (role) {
        case Role::Body:
        case Role::Question:
            return std::max(height, points(bodyPoints_ * kLeading));
        case Role::Caption:
            return std::max(height, points(bodyPoints_ * kCaptionScale * kLeading));
        case Role::ChapterNumber:
        case Role::ChapterTitle:
            return height * 1.1;
        case Role::Picture:
            break;
    }
    return height;
}

// --- Pages ---

void TypesetBook::paginate() {
    pages_.clear();
    if (options_.titlePage) {
        pages_.push_back({PageKind::Title});
        if (options_.twoSided)
            pages_.push_back({PageKind::Blank});
    }
    const bool anyChapter = std::any_of(chapters_.cbegin(), chapters_.cend(),
                                        [](const Chapter& c) { return !c.title.isEmpty(); });
    if (options_.contentsPage && anyChapter)
        pages_.push_back({PageKind::Contents});
    for (std::size_t first = 0; first < slots_.size();)
        first = fillPage(first);
    if (pages_.empty())
        pages_.push_back({PageKind::Blank});  // a book of nothing still has its one page
}

// Fills a page from the given line on; the line the next page begins with.
// The page ends at the last place a page may end before the text overflows
// it. Where the rules leave none, at least no heading is left at its foot;
// and where a run of headings is longer than a page, none is split.
std::size_t TypesetBook::fillPage(std::size_t first) {
    const Slot& opening = slots_[first];
    if (opening.newPage && options_.twoSided && pages_.size() % 2 == 1)
        pages_.push_back({PageKind::Blank});
    const bool opensChapter =
        opening.newPage && paragraphs_[std::size_t(opening.paragraph)].role == Role::ChapterNumber;
    Page page{opensChapter ? PageKind::ChapterOpening : PageKind::Story, first, first,
              opening.chapter};
    qreal y = 0;
    std::size_t strong = first, weak = first, between = first, i = first;
    for (; i < slots_.size(); ++i) {
        Slot& slot = slots_[i];
        if (i > first) {
            if (slot.newPage)
                break;
            if (slot.mayBreakBefore)
                strong = i;
            if (!isHeading(paragraphs_[std::size_t(slots_[i - 1].paragraph)].role))
                weak = i;
            if (slot.line == 0)
                between = i;
        }
        const qreal above = i == first && !slot.newPage ? 0 : slot.above;
        if (i > first && y + above + slot.advance > textHeight_) {
            i = firstPast(first, {strong, weak, between, i});
            break;
        }
        slot.y = y + above;
        y = slot.y + slot.advance;
    }
    page.end = i;
    pages_.push_back(page);
    if (opensChapter)
        chapters_[opening.chapter].page = int(pages_.size()) - 1;
    return i;
}

void TypesetBook::fillContents() {
    contents_.clear();
    for (const Chapter& chapter : std::as_const(chapters_))
        if (!chapter.title.isEmpty() && chapter.page >= 0)
            contents_.append({chapter.title, numberOf(chapter.page)});
}

QRectF TypesetBook::textArea(int page) const {
    const bool leftHand = options_.twoSided && numberOf(page) % 2 == 0;
    return {leftHand ? outer_ : inner_, top_, textWidth_, textHeight_};
}

QString TypesetBook::runningHead(int page) const {
    const Page& shown = pages_[std::size_t(page)];
    if (shown.kind != PageKind::Story || shown.chapter < 0)
        return {};
    return chapters_[shown.chapter].title;
}

QList<TypesetBook::PageLine> TypesetBook::linesOf(int page) const {
    const Page& shown = pages_[std::size_t(page)];
    const QRectF area = textArea(page);
    QList<PageLine> lines;
    for (std::size_t i = shown.first; i < shown.end; ++i) {
        const Slot& slot = slots_[i];
        const Paragraph& paragraph = paragraphs_[std::size_t(slot.paragraph)];
        const QTextLine line = paragraph.layout->lineAt(slot.line);
        const QString text =
            paragraph.block.isValid() ? paragraph.block.text() : paragraph.layout->text();
        // Where its alignment puts the line's text (and indent), from the text's left.
        const QRectF natural = line.naturalTextRect();
        lines.append({paragraph.role, text.mid(line.textStart(), line.textLength()), slot.paragraph,
                      slot.line, paragraph.layout->lineCount(),
                      QRectF(area.left() + natural.x(), area.top() + slot.y, natural.width(),
                             slot.advance)});
    }
    return lines;
}

// --- Painting ---

void TypesetBook::paintPage(QPainter& painter, int page) const {
    painter.save();
    painter.setPen(Qt::black);
    switch (kindOf(page)) {
        case PageKind::Title:
            paintTitlePage(painter, page);
            break;
        case PageKind::Blank:
            break;
        case PageKind::Contents:
            paintContentsPage(painter, page);
            paintPageNumber(painter, page);
            break;
        case PageKind::ChapterOpening:
        case PageKind::Story:
            paintLines(painter, page);
            paintRunningHead(painter, page);
            paintPageNumber(painter, page);
            break;
    }
    painter.restore();
}

void TypesetBook::paintTitlePage(QPainter& painter, int page) const {
    const QRectF area = textArea(page);
    const qreal gap = points(bodyPoints_);
    auto paintCentred = [&](const QString& text, const QFont& font, qreal top) {
        QTextLayout layout(text, font, &device_);
        const qreal width = setEvenLines(layout, area.width());
        layout.draw(&painter, QPointF(area.left() + (area.width() - width) / 2, top));
        return top + layout.boundingRect().height();
    };
    qreal y =
        paintCentred(options_.title, font(kBookTitleScale), area.top() + area.height() * 0.22);
    if (!options_.author.isEmpty()) {
        y = paintCentred(QStringLiteral("by"), font(kByScale, true), y + 3 * gap);
        y = paintCentred(options_.author, font(kAuthorScale), y + gap);
    }
    // Well under her name, however many lines the title took.
    if (!options_.dedication.isEmpty())
        paintCentred(options_.dedication, font(1, true),
                     std::max(area.top() + area.height() * 0.62, y + 4 * gap));
}

// Each chapter on its line, its page number at the right and a row of dots
// between. The numbers stand flush right in a column of their own, and the
// dots on one grid down the page, so that they line up in columns and all
// end the same space short of the numbers.
void TypesetBook::paintContentsPage(QPainter& painter, int page) const {
    const QRectF area = textArea(page);
    const QFont heading = font(kContentsTitleScale);
    painter.setFont(heading);
    const QFontMetricsF headingMetrics(heading, &device_);
    painter.drawText(QRectF(area.left(), area.top() + area.height() * kOpeningDrop, area.width(),
                            headingMetrics.height()),
                     Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Contents"));
    const QFont entry = font(1);
    const QFontMetricsF metrics(entry, &device_);
    painter.setFont(entry);
    const QString leader = QStringLiteral(" .");
    const qreal leaderWidth = metrics.horizontalAdvance(leader);
    qreal numbersWidth = 0;
    for (const ContentsEntry& line : contents_)
        numbersWidth =
            std::max(numbersWidth, metrics.horizontalAdvance(QString::number(line.page)));
    const int lastLeader =
        int((area.width() - numbersWidth - metrics.horizontalAdvance(u' ')) / leaderWidth);
    qreal baseline = area.top() + area.height() * kOpeningDrop + headingMetrics.height() * 3;
    // Lines well apart, but all within the page, in large print on small paper too.
    const qreal step =
        std::min(metrics.lineSpacing() * 1.8,
                 (area.bottom() - baseline) / std::max<qsizetype>(1, contents_.size()));
    for (const ContentsEntry& line : contents_) {
        const QString number = QString::number(line.page);
        painter.drawText(QPointF(area.left(), baseline), line.chapter);
        painter.drawText(QPointF(area.right() - metrics.horizontalAdvance(number), baseline),
                         number);
        const int firstLeader = int(
            std::ceil((metrics.horizontalAdvance(line.chapter) + leaderWidth / 2) / leaderWidth));
        if (lastLeader > firstLeader)
            painter.drawText(QPointF(area.left() + firstLeader * leaderWidth, baseline),
                             leader.repeated(lastLeader - firstLeader));
        baseline += step;
    }
}

void TypesetBook::paintLines(QPainter& painter, int page) const {
    const Page& shown = pages_[std::size_t(page)];
    const QRectF area = textArea(page);
    for (std::size_t i = shown.first; i < shown.end; ++i) {
        const Slot& slot = slots_[i];
        const QTextLine line = paragraphs_[std::size_t(slot.paragraph)].layout->lineAt(slot.line);
        // A line stands in the middle of the height it takes.
        const qreal top = area.top() + slot.y + (slot.advance - line.height()) / 2;
        line.draw(&painter, QPointF(area.left(), top - line.y()));
    }
}

void TypesetBook::paintRunningHead(QPainter& painter, int page) const {
    const QString head = runningHead(page);
    if (head.isEmpty())
        return;
    const QRectF area = textArea(page);
    painter.setFont(font(kRunningHeadScale, true));
    painter.drawText(QRectF(area.left(), 0, area.width(), top_ * 0.7),
                     Qt::AlignHCenter | Qt::AlignBottom, head);
}

// At the foot of the page: in the middle, or at the outer corner of a book
// printed on both sides.
void TypesetBook::paintPageNumber(QPainter& painter, int page) const {
    const QRectF area = textArea(page);
    const qreal bottom = paper_.height() - area.bottom();
    Qt::Alignment side = Qt::AlignHCenter;
    if (options_.twoSided)
        side = numberOf(page) % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight;
    painter.setFont(font(kPageNumberScale));
    painter.drawText(QRectF(area.left(), area.bottom() + bottom * 0.3, area.width(), bottom * 0.4),
                     side | Qt::AlignVCenter, QString::number(numberOf(page)));
}

}  // namespace vellumora::book
