#include "book/booklayout.h"

#include "pictures/pictureview.h"
#include "store/catalogue.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <cmath>

namespace vellumora::book {

namespace {

constexpr qreal kCmPerInch = 2.54;
// The resolution in which a text layout takes the lengths of its frames.
constexpr qreal kLayoutDpi = 96;
// Laying out reports this many times over the story, enough for a smooth bar.
constexpr int kLayoutReports = 200;

constexpr qreal kTitlePoints = 28, kAuthorPoints = 18, kDedicationPoints = 12;
constexpr qreal kContentsHeadingPoints = 20, kContentsEntryPoints = 12;
constexpr qreal kPageNumberPoints = 10;

QFont fontOf(const QString& family, qreal points, bool bold = false) {
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

/// The catalogue heading a paragraph holds, or nullptr.
const catalogue::Chapter* chapterHeadedBy(const QString& text) {
    if (text.size() > 32 || !text.endsWith(u':'))
        return nullptr;
    for (const catalogue::Chapter& chapter : catalogue::chapters())
        if (text == QLatin1StringView(chapter.heading))
            return &chapter;
    return nullptr;
}

// The top of a line in the whole story's coordinates.
qreal lineTop(const QTextLayout& layout, const QTextLine& line) {
    return layout.position().y() + line.y();
}

}  // namespace

BookLayout::BookLayout(const QTextDocument& story, QPaintDevice& device, BookOptions options)
    : copy_(story.clone()), device_(device), options_(std::move(options)) {
    // The copy takes the page size of the story's text area along. Until it
    // has the paper's, it must not be laid out at all: every change below
    // would lay the story out at the text area's width in the device's
    // pixels, a few characters to a line, its height soon past what a
    // layout can count and then without end. A null size lays out nothing.
    copy_->setPageSize(QSizeF(0, 0));
    // The copy is measured in the device's own pixels, as it will be painted,
    // one sheet of paper to a page.
    copy_->documentLayout()->setPaintDevice(&device_);
    // Pictures at their size on paper, none taller than a page, so none is cut in two.
    pictures::showPictures(*copy_);
    paper_ = QRectF(0, 0, device_.width(), device_.height());
    const qreal marginX = kMarginCm / kCmPerInch * device_.logicalDpiX();
    const qreal marginY = kMarginCm / kCmPerInch * device_.logicalDpiY();
    body_ = paper_.adjusted(marginX, marginY, -marginX, -marginY);
    // The margins belong to the layout, so that no line of one page comes
    // near the next: the layout takes them in pixels at 96 dpi and scales
    // them to the device itself.
    QTextFrameFormat frame = copy_->rootFrame()->frameFormat();
    frame.setLeftMargin(kMarginCm / kCmPerInch * kLayoutDpi);
    frame.setRightMargin(kMarginCm / kCmPerInch * kLayoutDpi);
    frame.setTopMargin(kMarginCm / kCmPerInch * kLayoutDpi);
    frame.setBottomMargin(kMarginCm / kCmPerInch * kLayoutDpi);
    frame.setPadding(0);
    frame.setBorder(0);
    copy_->rootFrame()->setFrameFormat(frame);
}

BookLayout::~BookLayout() = default;

int BookLayout::frontPages() const {
    const bool contents = options_.contentsPage && !chapters_.isEmpty();
    return int(options_.titlePage) + int(contents);
}

BookLayout::PageKind BookLayout::kindOf(int page) const {
    if (options_.titlePage && page == 0)
        return PageKind::Title;
    if (page < frontPages())
        return PageKind::Contents;
    return PageKind::Story;
}

int BookLayout::storyPageOf(qreal y) const {
    return int(std::floor(y / paper_.height()));
}

// Each heading starts a page at its first appearance; later copies of the
// same words (an answer quoting a heading) are left where they are.
void BookLayout::markChapterHeadings() {
    chapters_.clear();
    QList<const catalogue::Chapter*> seen;
    for (QTextBlock block = copy_->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text().trimmed();
        const catalogue::Chapter* chapter = chapterHeadedBy(text);
        if (!chapter || seen.contains(chapter))
            continue;
        seen.append(chapter);
        chapters_.append({text.chopped(1), block.blockNumber()});
        if (block.position() == 0)
            continue;  // already at the top of the first page
        QTextBlockFormat breakBefore;
        breakBefore.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(block).mergeBlockFormat(breakBefore);
    }
}

bool BookLayout::layOut(const BookProgress& progress) {
    markChapterHeadings();
    // The layout works lazily; once the copy has its paper, asking where a
    // paragraph lies lays the story out up to it, so the work can be
    // reported and stopped part way.
    copy_->setPageSize(paper_.size());
    QAbstractTextDocumentLayout* layout = copy_->documentLayout();
    const qsizetype total = copy_->characterCount();
    const qsizetype step = total / kLayoutReports + 1;
    qsizetype nextReport = 0;
    for (QTextBlock block = copy_->begin(); block.isValid(); block = block.next()) {
        if (block.position() < nextReport)
            continue;
        layout->blockBoundingRect(block);
        if (progress && !progress(block.position(), total))
            return false;
        nextReport = block.position() + step;
    }
    storyPages_ = copy_->pageCount();
    fillContents();
    return !progress || progress(total, total);
}

void BookLayout::fillContents() {
    contents_.clear();
    for (const Chapter& chapter : std::as_const(chapters_)) {
        const QTextBlock block = copy_->findBlockByNumber(chapter.block);
        const QTextLayout* layout = block.layout();
        const qreal top =
            layout->lineCount() > 0 ? lineTop(*layout, layout->lineAt(0)) : layout->position().y();
        contents_.append({chapter.name, numberOf(frontPages() + storyPageOf(top))});
    }
}

QString BookLayout::storyText(int page) const {
    // The layout keeps its margins in 1/64 pixel: a pixel of leeway.
    const QRectF body =
        body_.translated(0, (page - frontPages()) * paper_.height()).adjusted(0, -1, 0, 1);
    const qreal pageTop = body.top(), pageBottom = body.bottom();
    QString text;
    for (QTextBlock block = copy_->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        const QString blockText = block.text();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const qreal top = lineTop(*layout, line);
            if (top < pageTop || top + line.height() > pageBottom)
                continue;
            text += blockText.mid(line.textStart(), line.textLength());
            if (i == layout->lineCount() - 1 && block.next().isValid())
                text += u'\n';
        }
    }
    return text;
}

void BookLayout::paintPage(QPainter& painter, int page) const {
    switch (kindOf(page)) {
        case PageKind::Title:
            paintTitlePage(painter);
            return;  // a title page carries no number
        case PageKind::Contents:
            paintContentsPage(painter);
            break;
        case PageKind::Story:
            paintStoryPage(painter, page - frontPages());
            break;
    }
    paintPageNumber(painter, page);
}

void BookLayout::paintTitlePage(QPainter& painter) const {
    const QString family = copy_->defaultFont().family();
    painter.setPen(Qt::black);
    const QRectF upper(body_.left(), body_.top(), body_.width(), body_.height() * 0.4);
    painter.setFont(fontOf(family, kTitlePoints, true));
    painter.drawText(upper, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap, options_.title);
    const QRectF lower(body_.left(), upper.bottom() + body_.height() * 0.08, body_.width(),
                       body_.height() * 0.5);
    painter.setFont(fontOf(family, kAuthorPoints));
    painter.drawText(lower, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, options_.author);
    QFont dedication = fontOf(family, kDedicationPoints);
    dedication.setItalic(true);
    painter.setFont(dedication);
    painter.drawText(lower.adjusted(0, body_.height() * 0.2, 0, 0),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, options_.dedication);
}

// Each chapter on its line, its page number at the right margin and a row of
// dots between them, as a printed book has it.
void BookLayout::paintContentsPage(QPainter& painter) const {
    const QString family = copy_->defaultFont().family();
    painter.setPen(Qt::black);
    const QFont headingFont = fontOf(family, kContentsHeadingPoints, true);
    painter.setFont(headingFont);
    const QFontMetricsF headingMetrics(headingFont, &device_);
    painter.drawText(QRectF(body_.left(), body_.top(), body_.width(), headingMetrics.height()),
                     Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Contents"));

    const QFont entryFont = fontOf(family, kContentsEntryPoints);
    const QFontMetricsF metrics(entryFont, &device_);
    painter.setFont(entryFont);
    const QString leader = QStringLiteral(" .");
    const qreal leaderWidth = metrics.horizontalAdvance(leader);
    qreal baseline = body_.top() + headingMetrics.height() * 2.5;
    for (const ContentsEntry& entry : contents_) {
        const QString number = QString::number(entry.page);
        const qreal numberWidth = metrics.horizontalAdvance(number);
        const qreal nameWidth = metrics.horizontalAdvance(entry.chapter);
        painter.drawText(QPointF(body_.left(), baseline), entry.chapter);
        painter.drawText(QPointF(body_.right() - numberWidth, baseline), number);
        const qreal room = body_.width() - nameWidth - numberWidth - leaderWidth;
        const int dots = room > 0 ? int(room / leaderWidth) : 0;
        const QString leaders = leader.repeated(dots);
        painter.drawText(QPointF(body_.right() - numberWidth - leaderWidth / 2 -
                                     metrics.horizontalAdvance(leaders),
                                 baseline),
                         leaders);
        baseline += metrics.lineSpacing() * 1.8;
    }
}

// The page's sheet of the laid-out story, margins included.
void BookLayout::paintStoryPage(QPainter& painter, int storyPage) const {
    const QRectF sheet = paper_.translated(0, storyPage * paper_.height());
    painter.save();
    painter.translate(0, -sheet.top());
    painter.setClipRect(sheet);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = sheet;
    context.palette.setColor(QPalette::Text, Qt::black);
    copy_->documentLayout()->draw(&painter, context);
    painter.restore();
}

void BookLayout::paintPageNumber(QPainter& painter, int page) const {
    painter.setPen(Qt::black);
    painter.setFont(fontOf(copy_->defaultFont().family(), kPageNumberPoints));
    const QRectF footer(paper_.left(), body_.bottom(), paper_.width(),
                        paper_.bottom() - body_.bottom());
    painter.drawText(footer, Qt::AlignCenter, QString::number(numberOf(page)));
}

}  // namespace vellumora::book
