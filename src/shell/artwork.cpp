#include "shell/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

// The artwork is drawn by the program itself, so it needs no image files and
// stays sharp at any scale.
namespace vellumora::artwork {

namespace {

const QColor kInk(0, 0, 128);
const QColor kParchment(250, 241, 214);
const QColor kGold(214, 168, 74);
const QColor kLeaf(60, 130, 70);
const QColor kBark(110, 72, 40);

void drawOpenBook(QPainter& p, const QRectF& area) {
    const qreal mid = area.center().x();
    const qreal top = area.top(), bottom = area.bottom();
    p.setPen(QPen(kBark.darker(130), 1.2));
    // Cover beneath the pages.
    p.setBrush(QColor(128, 40, 40));
    p.drawRoundedRect(QRectF(area.left() - 4, top + 6, area.width() + 8, area.height()), 3, 3);
    // Two pages curving down to the spine.
    p.setBrush(kParchment);
    for (int side : {-1, 1}) {
        QPainterPath page;
        const qreal outer = mid + side * area.width() / 2;
        page.moveTo(mid, top + 8);
        page.cubicTo(mid + side * area.width() * 0.2, top, outer - side * 10, top, outer, top + 4);
        page.lineTo(outer, bottom);
        page.cubicTo(outer - side * 10, bottom - 4, mid + side * area.width() * 0.2, bottom - 4,
                     mid, bottom + 2);
        page.closeSubpath();
        p.drawPath(page);
    }
    // Lines of handwriting.
    p.setPen(QPen(kInk.lighter(170), 1));
    for (int side : {-1, 1}) {
        for (int line = 0; line < 5; ++line) {
            const qreal y = top + 16 + line * ((area.height() - 24) / 5);
            const qreal from = mid + side * 8, to = mid + side * (area.width() / 2 - 8);
            p.drawLine(QPointF(from, y), QPointF(line == 4 ? (from + to) / 2 : to, y));
        }
    }
}

void drawTree(QPainter& p, QPointF root, qreal height) {
    p.setPen(QPen(kBark, 4, Qt::SolidLine, Qt::RoundCap));
    const QPointF fork(root.x(), root.y() - height * 0.45);
    p.drawLine(root, fork);
    p.setPen(QPen(kBark, 2.5, Qt::SolidLine, Qt::RoundCap));
    const QPointF branches[] = {
        {-0.35, -0.8}, {0.35, -0.8}, {0.0, -1.0}, {-0.2, -0.6}, {0.22, -0.6}};
    for (const QPointF& b : branches)
        p.drawLine(fork, QPointF(root.x() + b.x() * height, root.y() + b.y() * height));
    // Leaves, and a few hearts for the family.
    p.setPen(Qt::NoPen);
    const QPointF crowns[] = {{-0.35, -0.82}, {0.35, -0.82}, {0.0, -1.02}, {-0.2, -0.66},
                              {0.24, -0.66},  {-0.1, -0.9},  {0.12, -0.9}};
    for (const QPointF& c : crowns) {
        const QPointF centre(root.x() + c.x() * height, root.y() + c.y() * height);
        QRadialGradient leaf(centre, height * 0.2);
        leaf.setColorAt(0, kLeaf.lighter(140));
        leaf.setColorAt(1, kLeaf);
        p.setBrush(leaf);
        p.drawEllipse(centre, height * 0.17, height * 0.14);
    }
    p.setBrush(QColor(200, 40, 50));
    const QPointF hearts[] = {{-0.3, -0.8}, {0.3, -0.75}, {0.02, -1.0}};
    for (const QPointF& h : hearts) {
        const QPointF c(root.x() + h.x() * height, root.y() + h.y() * height);
        QPainterPath heart;
        heart.moveTo(c.x(), c.y() + 3);
        heart.cubicTo(c.x() - 5, c.y() - 1, c.x() - 2, c.y() - 5, c.x(), c.y() - 2);
        heart.cubicTo(c.x() + 2, c.y() - 5, c.x() + 5, c.y() - 1, c.x(), c.y() + 3);
        p.drawPath(heart);
    }
}

}  // namespace

QPixmap banner() {
    QPixmap pixmap(274, 53);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, 53);
    background.setColorAt(0, kParchment);
    background.setColorAt(1, kGold.lighter(130));
    p.fillRect(pixmap.rect(), background);
    p.setPen(QPen(kGold.darker(120), 2));
    p.drawRect(QRectF(1, 1, 272, 51));
    QFont title(QStringLiteral("Liberation Serif"));
    title.setStyleHint(QFont::Serif);
    title.setPixelSize(30);
    title.setBold(true);
    title.setItalic(true);
    p.setFont(title);
    p.setPen(kInk);
    p.drawText(QRectF(0, 0, 274, 40), Qt::AlignHCenter | Qt::AlignBottom,
               QStringLiteral("Vellumora"));
    QFont subtitle(QStringLiteral("Liberation Sans"));
    subtitle.setPixelSize(9);
    subtitle.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(subtitle);
    p.setPen(kBark);
    p.drawText(QRectF(0, 39, 274, 12), Qt::AlignCenter,
               QStringLiteral("THE STORY OF YOUR LIFE, FOR YOUR FAMILY"));
    return pixmap;
}

QPixmap bookAndTree() {
    QPixmap pixmap(237, 138);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 138);
    sky.setColorAt(0, QColor(190, 215, 240));
    sky.setColorAt(1, QColor(245, 235, 210));
    p.fillRect(pixmap.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 214, 120));
    p.drawEllipse(QPointF(200, 26), 14, 14);
    drawTree(p, QPointF(118, 100), 80);
    drawOpenBook(p, QRectF(58, 92, 120, 36));
    return pixmap;
}

QPixmap programPicture() {
    QPixmap pixmap(32, 32);
    pixmap.fill(kParchment);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawTree(p, QPointF(16, 24), 22);
    drawOpenBook(p, QRectF(5, 22, 22, 7));
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 31, 31));
    return pixmap;
}

}  // namespace vellumora::artwork
