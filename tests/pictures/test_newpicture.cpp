#include "pictures/newpicture.h"

#include "picturefiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace vellumora;
using namespace vellumora::pictures;
using namespace vellumora::test;

namespace {

bool isRed(QRgb pixel) {
    return qRed(pixel) > qGreen(pixel) + 80 && qRed(pixel) > qBlue(pixel) + 80;
}

}  // namespace

class NewPictureTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void keepsAnImageFileUprightAndSmall_data();
    void keepsAnImageFileUprightAndSmall();
    void refusesWhatIsNoPicture();
    void offersSizesByTheLongSide();

private:
    QTemporaryDir dir_;
};

void NewPictureTest::keepsAnImageFileUprightAndSmall_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Encoding>("encoding");
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<bool>("sameBytes");
    const QImage photo = redTopLeft(640, 480, true);
    QTest::newRow("upright JPEG kept byte for byte")
        << encodedAs(photo, "JPEG") << Encoding::Jpeg << QSize(640, 480) << true;
    QTest::newRow("JPEG with orientation mark 6 turned upright")
        << jpegWithOrientation(photo, 6) << Encoding::Jpeg << QSize(480, 640) << false;
    QTest::newRow("12-megapixel photo kept 2000 pixels long")
        << encodedAs(redTopLeft(4000, 3000, true), "JPEG") << Encoding::Jpeg << QSize(2000, 1500)
        << false;
    QTest::newRow("large PNG photo kept as a smaller JPEG")
        << encodedAs(redTopLeft(3000, 2000, true), "PNG") << Encoding::Jpeg << QSize(2000, 1333)
        << false;
    QTest::newRow("PNG drawing kept byte for byte")
        << encodedAs(redTopLeft(300, 200), "PNG") << Encoding::Png << QSize(300, 200) << true;
    QTest::newRow("BMP drawing kept as PNG")
        << encodedAs(redTopLeft(300, 200), "BMP") << Encoding::Png << QSize(300, 200) << false;
    QTest::newRow("BMP photo kept as JPEG") << encodedAs(redTopLeft(300, 200, true), "BMP")
                                            << Encoding::Jpeg << QSize(300, 200) << false;
}

void NewPictureTest::keepsAnImageFileUprightAndSmall() {
    QFETCH(QByteArray, file);
    QFETCH(Encoding, encoding);
    QFETCH(QSize, pixels);
    QFETCH(bool, sameBytes);
    const QString path = dir_.filePath(QStringLiteral("picture"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
    out.close();

    const NewPicture made = fromFile(path);
    QVERIFY2(made.picture, qPrintable(made.error));
    QCOMPARE(made.picture->encoding(), encoding);
    QCOMPARE(made.picture->bytes() == file, sameBytes);
    const QImage image = made.picture->image();
    QCOMPARE(image.size(), pixels);
    QCOMPARE(made.picture->shownSize(), QSizeF(pixels));
    // Upright: the red quarter is where it was drawn, top left; a picture
    // turned clockwise has it top right.
    const bool turned =
        QTest::currentDataTag() == QByteArrayLiteral("JPEG with orientation mark 6 turned upright");
    const QPoint redCorner = turned ? QPoint(image.width() - 5, 5) : QPoint(5, 5);
    QVERIFY(isRed(image.pixel(redCorner)));
    QVERIFY(!isRed(image.pixel(image.width() - 1 - redCorner.x(), image.height() - 6)));
}

void NewPictureTest::refusesWhatIsNoPicture() {
    const QString path = dir_.filePath(QStringLiteral("letter.txt"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write("Dear Anne,\n") > 0);
    out.close();
    const NewPicture made = fromFile(path);
    QVERIFY(!made.picture);
    QCOMPARE(made.error, QStringLiteral("it is not a picture Vellumora can read"));
    QVERIFY(!fromFile(dir_.filePath(QStringLiteral("missing.jpg"))).picture);
}

void NewPictureTest::offersSizesByTheLongSide() {
    const QSizeF portrait(300, 400);
    const QSizeF small = shownAt(ShownSize::Small, portrait);
    QCOMPARE(qRound(small.height()), qRound(5 * 96 / 2.54));
    QCOMPARE(qRound(small.width() * 4), qRound(small.height() * 3));
    QCOMPARE(qRound(shownAt(ShownSize::FullWidth, portrait).width()), qRound(16 * 96 / 2.54));
    for (const ShownSize size :
         {ShownSize::Small, ShownSize::Medium, ShownSize::Large, ShownSize::FullWidth})
        QCOMPARE(shownSizeOf(shownAt(size, portrait), portrait), size);
    QCOMPARE(shownSizeOf(portrait, portrait), std::nullopt);
}

QTEST_MAIN(NewPictureTest)
#include "test_newpicture.moc"
