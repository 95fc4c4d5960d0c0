// The icon files the build writes for the desktop show the program's own
// drawing, at the size their folder names.

#include "shell/artwork.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

#include <cstdlib>

using namespace vellumora;

namespace {

const QString kIconDir = QStringLiteral(VELLUMORA_ICON_DIR);
const QString kAppId = QStringLiteral(VELLUMORA_APP_ID);

QImage asArgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The largest difference of any channel of any pixel, and the mean over all.
struct Difference {
    int largest = 0;
    double mean = 0;
};

Difference difference(const QImage& a, const QImage& b) {
    Difference d;
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (int channel : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q),
                                qAlpha(p) - qAlpha(q)}) {
                d.largest = std::max(d.largest, std::abs(channel));
                sum += std::abs(channel);
            }
        }
    }
    d.mean = double(sum) / (4.0 * a.width() * a.height());
    return d;
}

}  // namespace

class IconsTest : public QObject {
    Q_OBJECT

private slots:
    void pngIsTheProgramsDrawing_data();
    void pngIsTheProgramsDrawing();
    void svgShowsTheSamePictureAsThePng();
    void aboutPagePictureIsTheDesktopIcon();
    void windowIconIsTheDesktopIconAtEverySize();
};

void IconsTest::pngIsTheProgramsDrawing_data() {
    QTest::addColumn<int>("pixels");
    for (int pixels : {16, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%d px", pixels) << pixels;
}

void IconsTest::pngIsTheProgramsDrawing() {
    QFETCH(int, pixels);
    const QString path = QStringLiteral("%1/%2/%3.png").arg(kIconDir).arg(pixels).arg(kAppId);
    const QImage png(path);
    QVERIFY2(!png.isNull(), qPrintable(path));
    QCOMPARE(png.size(), QSize(pixels, pixels));
    QVERIFY(png.hasAlphaChannel());
    // The rounded tile leaves the corners clear and covers the middle.
    QCOMPARE(qAlpha(png.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(png.pixel(pixels / 2, pixels / 2)), 255);
    QCOMPARE(asArgb(png), asArgb(artwork::programIcon(pixels)));
}

void IconsTest::svgShowsTheSamePictureAsThePng() {
    QSvgRenderer svg(QStringLiteral("%1/%2.svg").arg(kIconDir, kAppId));
    QVERIFY(svg.isValid());
    QCOMPARE(svg.defaultSize(), QSize(256, 256));
    QCOMPARE(svg.viewBoxF(), QRectF(0, 0, 256, 256));
    QImage rendered(256, 256, QImage::Format_ARGB32);
    rendered.fill(Qt::transparent);
    QPainter painter(&rendered);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();

    // Edges may be smoothed a little differently; shapes, colours and
    // gradients may not differ.
    const Difference d = difference(rendered, asArgb(artwork::programIcon(256)));
    qInfo("SVG against the drawing: mean %.3f, largest %d", d.mean, d.largest);
    QVERIFY2(d.mean < 0.5, qPrintable(QStringLiteral("mean difference %1").arg(d.mean)));
    QVERIFY2(d.largest < 32, qPrintable(QStringLiteral("largest difference %1").arg(d.largest)));
}

void IconsTest::aboutPagePictureIsTheDesktopIcon() {
    const QImage desktop(QStringLiteral("%1/32/%2.png").arg(kIconDir, kAppId));
    QVERIFY(!desktop.isNull());
    QCOMPARE(asArgb(artwork::programPicture().toImage()), asArgb(desktop));
}

// The window icon draws itself when a size is asked for; each size a
// window manager may ask for is the picture the desktop shows at that size.
void IconsTest::windowIconIsTheDesktopIconAtEverySize() {
    const QIcon icon = artwork::programIconSet();
    const QList<QSize> sizes = icon.availableSizes();
    QCOMPARE(sizes.size(), 7);
    for (const QSize& size : sizes) {
        const QImage desktop(
            QStringLiteral("%1/%2/%3.png").arg(kIconDir).arg(size.width()).arg(kAppId));
        QVERIFY2(!desktop.isNull(), qPrintable(QString::number(size.width())));
        QCOMPARE(asArgb(icon.pixmap(size).toImage()), asArgb(desktop));
    }
}

QTEST_MAIN(IconsTest)
#include "test_icons.moc"
