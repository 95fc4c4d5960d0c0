#include "shell/artwork.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <map>

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

// The program's icon, in a 256-unit square. Its shapes are few and large, so
// that at 16 pixels it still reads as a light book under a green crown on blue;
// fine lines are drawn only where there are pixels enough to show them.
constexpr qreal kIconUnits = 256;
constexpr qreal kFinestDetailedSize = 32;
const QColor kHeartRed(222, 38, 58);

void drawIconTile(QPainter& p) {
    QLinearGradient tile(0, 0, 0, kIconUnits);
    tile.setColorAt(0, QColor(24, 40, 168));
    tile.setColorAt(1, kInk);
    p.setPen(QPen(QColor(0, 0, 80), 4));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(2, 2, kIconUnits - 4, kIconUnits - 4), 48, 48);
}

QPainterPath heartPath(QPointF centre, qreal width) {
    const qreal x = centre.x() - width / 2, y = centre.y() - width * 0.45, h = width * 0.9;
    QPainterPath heart;
    heart.moveTo(x + width / 2, y + h * 0.28);
    heart.cubicTo(x + width * 0.45, y - h * 0.05, x, y - h * 0.02, x, y + h * 0.32);
    heart.cubicTo(x, y + h * 0.6, x + width * 0.4, y + h * 0.78, x + width / 2, y + h);
    heart.cubicTo(x + width * 0.6, y + h * 0.78, x + width, y + h * 0.6, x + width, y + h * 0.32);
    heart.cubicTo(x + width, y - h * 0.02, x + width * 0.55, y - h * 0.05, x + width / 2,
                  y + h * 0.28);
    return heart;
}

// One crown of overlapping circles, filled as a single shape so it has one
// clean outline. Finding that outline is the costliest part of the drawing,
// and the crown is the same in icon units at every size.
const QPainterPath& iconCrown() {
    static const QPainterPath outline = [] {
        QPainterPath crown;
        crown.setFillRule(Qt::WindingFill);
        const struct {
            qreal x, y, r;
        } circles[] = {{128, 74, 46}, {86, 96, 32}, {170, 96, 32}, {100, 58, 32}, {156, 58, 32}};
        for (const auto& c : circles)
            crown.addEllipse(QPointF(c.x, c.y), c.r, c.r);
        return crown.simplified();
    }();
    return outline;
}

void drawIconTree(QPainter& p, bool detailed) {
    p.setPen(QPen(kBark, 16, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(128, 170), QPointF(128, 96));
    p.setPen(QPen(kBark, 9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(128, 128), QPointF(92, 98));
    p.drawLine(QPointF(128, 120), QPointF(166, 92));

    QRadialGradient leaves(QPointF(112, 52), 96);
    leaves.setColorAt(0, kLeaf.lighter(150));
    leaves.setColorAt(1, kLeaf.darker(110));
    p.setPen(QPen(kLeaf.darker(170), 4));
    p.setBrush(leaves);
    p.drawPath(iconCrown());

    p.setPen(detailed ? QPen(kParchment, 3) : QPen(Qt::NoPen));
    p.setBrush(kHeartRed);
    for (QPointF centre : {QPointF(94, 92), QPointF(160, 86), QPointF(126, 50)})
        p.drawPath(heartPath(centre, 34));
}

void drawIconBook(QPainter& p, bool detailed) {
    // The cover, then two pages bowing down to the spine.
    p.setPen(QPen(QColor(70, 20, 20), 4));
    p.setBrush(QColor(150, 44, 44));
    QPainterPath cover;
    cover.moveTo(128, 226);
    cover.cubicTo(96, 212, 60, 210, 26, 216);
    cover.lineTo(26, 166);
    cover.lineTo(230, 166);
    cover.lineTo(230, 216);
    cover.cubicTo(196, 210, 160, 212, 128, 226);
    p.drawPath(cover);

    p.setPen(QPen(kBark.darker(130), 3));
    p.setBrush(kParchment);
    for (int side : {-1, 1}) {
        QPainterPath page;
        page.moveTo(128, 168);
        page.cubicTo(128 + side * 30, 152, 128 + side * 70, 150, 128 + side * 96, 158);
        page.lineTo(128 + side * 96, 206);
        page.cubicTo(128 + side * 70, 198, 128 + side * 30, 200, 128, 216);
        page.closeSubpath();
        p.drawPath(page);
    }
    if (!detailed)
        return;
    // Lines of handwriting.
    p.setPen(QPen(QColor(130, 140, 190), 3, Qt::SolidLine, Qt::RoundCap));
    for (int side : {-1, 1}) {
        for (int line = 0; line < 3; ++line) {
            const qreal y = 172 + line * 11;
            p.drawLine(QPointF(128 + side * 16, y + 4), QPointF(128 + side * 84, y));
        }
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
    p.drawText(QRectF(0, 0, 274, 38), Qt::AlignHCenter | Qt::AlignBottom,
               QStringLiteral("Vellumora"));
    QFont subtitle(QStringLiteral("Liberation Sans"));
    subtitle.setPixelSize(9);
    // The subtitle stays inside the frame, clear of its edges.
    subtitle.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    p.setFont(subtitle);
    p.setPen(kBark);
    p.drawText(QRectF(0, 37, 274, 12), Qt::AlignCenter,
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

void drawProgramIcon(QPainter& painter, qreal size) {
    // Large icons keep a margin of a sixteenth, whole pixels at the usual
    // sizes; small ones fill their square, as every pixel counts there.
    const bool detailed = size >= kFinestDetailedSize;
    const qreal margin = detailed ? size / 16 : 0;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(margin, margin);
    painter.scale((size - 2 * margin) / kIconUnits, (size - 2 * margin) / kIconUnits);
    drawIconTile(painter);
    drawIconTree(painter, detailed);
    drawIconBook(painter, detailed);
    painter.restore();
}

QImage programIcon(int pixels) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawProgramIcon(painter, pixels);
    return image;
}

namespace {

// Draws the icon at the size that is asked for, when it is asked for, and
// keeps it: drawing all of them up front took a fifth of the time the
// program needs to start, for sizes most desktops never ask for.
class DrawnIconEngine final : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int pixels = std::min(size.width(), size.height());
        if (pixels <= 0)
            return {};
        QPixmap& drawn = drawn_[pixels];
        if (drawn.isNull())
            drawn = QPixmap::fromImage(programIcon(pixels));
        return drawn;
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const QPixmap square = pixmap(rect.size(), mode, state);
        painter->drawPixmap(QRect(rect.topLeft(), square.size()).translated(
                                (rect.width() - square.width()) / 2,
                                (rect.height() - square.height()) / 2),
                            square);
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int pixels = std::min(size.width(), size.height());
        return {pixels, pixels};
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int pixels : {16, 24, 32, 48, 64, 128, 256})
            sizes.append(QSize(pixels, pixels));
        return sizes;
    }
    QIconEngine* clone() const override { return new DrawnIconEngine(*this); }
    QString key() const override { return QStringLiteral("VellumoraDrawnIcon"); }

private:
    std::map<int, QPixmap> drawn_;
};

}  // namespace

QIcon programIconSet() {
    return QIcon(new DrawnIconEngine);
}

QPixmap programPicture() {
    return QPixmap::fromImage(programIcon(32));
}

}  // namespace vellumora::artwork
