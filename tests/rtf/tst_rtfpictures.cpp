#include "pictures/picturestore.h"
#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

#include "rtftesthelpers.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

using namespace vellumora;
using namespace vellumora::rtf;
using vellumora::rtf::test::rawText;

namespace {

/// A picture as the document shows it, and the picture kept for it.
struct Shown {
    QTextImageFormat format;
    pictures::PicturePtr picture;
};

QList<Shown> picturesOf(const QTextDocument& document) {
    QList<Shown> found;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            for (int i = 0; i < it.fragment().length(); ++i)
                found.append({format.toImageFormat(),
                              pictures::find(document, format.toImageFormat().name())});
        }
    }
    return found;
}

QImage sampleImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height / 2, QColor(200, 30, 40));
    painter.fillRect(width / 2, height / 2, width / 2, height / 2, QColor(20, 60, 200));
    return image;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 90);
    return bytes;
}

const QByteArray kPng = encoded(sampleImage(40, 30), "PNG");
const QByteArray kJpeg = encoded(sampleImage(64, 48), "JPEG");
// A device-independent bitmap is a BMP file without its 14-byte file header.
const QByteArray kDib = encoded(sampleImage(20, 10), "BMP").mid(14);
// A few records of a Windows metafile: nothing Qt can draw, everything to keep.
const QByteArray kWmf = QByteArray::fromHex("010009000003bd230000100016100000000003000000000000");
const QByteArray kDamagedPng = kPng.left(60) + QByteArray(40, '\x5a');

QByteArray hex(const QByteArray& bytes) {
    QByteArray digits = bytes.toHex();
    for (qsizetype at = 64; at < digits.size(); at += 66)
        digits.insert(at, "\r\n");  // as writers break their lines
    return digits;
}

QByteArray story(const QByteArray& body) {
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 before " + body + " after\\par}";
}

}  // namespace

class RtfPicturesTest : public QObject {
    Q_OBJECT

private slots:
    void readsEachPictureAndWritesItBack_data();
    void readsEachPictureAndWritesItBack();
    void writesAResizedPictureAtItsNewSize();
    void tellsWhatItCannotKeep_data();
    void tellsWhatItCannotKeep();
    void pictureDataHasABoundOfItsOwn();
};

void RtfPicturesTest::readsEachPictureAndWritesItBack_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSizeF>("shown");  // in pixels of 1/96 inch
    QTest::addColumn<bool>("drawn");
    QTest::newRow("PNG as hex, its goal size")
        << story("{\\pict\\picw40\\pich30\\picwgoal1200\\pichgoal900\\pngblip\r\n" + hex(kPng) +
                 "}")
        << kPng << QSizeF(80, 60) << true;
    QTest::newRow("PNG as \\bin") << story("{\\pict\\picwgoal600\\pichgoal450\\pngblip\\bin" +
                                           QByteArray::number(kPng.size()) + " " + kPng + "}")
                                  << kPng << QSizeF(40, 30) << true;
    QTest::newRow("JPEG in \\shppict, its WMF copy in \\nonshppict skipped")
        << story(
               "{\\*\\shppict{\\pict{\\*\\picprop{\\sp{\\sn wzName}{\\sv x}}}\\picwgoal960"
               "\\pichgoal720\\jpegblip " +
               hex(kJpeg) + "}}{\\nonshppict{\\pict\\picwgoal960\\pichgoal720\\wmetafile8 " +
               hex(kWmf) + "}}")
        << kJpeg << QSizeF(64, 48) << true;
    QTest::newRow("JPEG scaled")
        << story("{\\pict\\picscalex50\\picscaley25\\picwgoal1440\\pichgoal1440\\jpegblip " +
                 hex(kJpeg) + "}")
        << kJpeg << QSizeF(48, 24) << true;
    QTest::newRow("PNG cropped")
        << story("{\\pict\\piccropl150\\piccropr150\\picwgoal1500\\pichgoal900\\pngblip " +
                 hex(kPng) + "}")
        << kPng << QSizeF(80, 60) << true;
    QTest::newRow("PNG without goal: \\picw in pixels")
        << story("{\\pict\\picw50\\pich25\\pngblip " + hex(kPng) + "}") << kPng << QSizeF(50, 25)
        << true;
    QTest::newRow("PNG without any size: its own pixels")
        << story("{\\pict\\pngblip " + hex(kPng) + "}") << kPng << QSizeF(40, 30) << true;
    QTest::newRow("device-independent bitmap")
        << story("{\\pict\\picw20\\pich10\\picwgoal300\\pichgoal150\\dibitmap0 " + hex(kDib) + "}")
        << kDib << QSizeF(20, 10) << true;
    QTest::newRow("device bitmap, one bit a pixel")
        << story(
               "{\\pict\\wbitmap0\\picw16\\pich2\\wbmbitspixel1\\wbmplanes1\\wbmwidthbytes2 "
               "f00f0ff0}")
        << QByteArray::fromHex("f00f0ff0") << QSizeF(16, 2) << true;
    QTest::newRow("Windows metafile: hundredths of a millimetre, kept undrawn")
        << story("{\\pict\\picw5080\\pich2540\\wmetafile8 " + hex(kWmf) + "}") << kWmf
        << QSizeF(192, 96) << false;
    QTest::newRow("enhanced metafile") << story("{\\pict\\picwgoal720\\pichgoal360\\emfblip 0102}")
                                       << QByteArray("\x01\x02") << QSizeF(48, 24) << false;
    QTest::newRow("damaged PNG kept undrawn")
        << story("{\\pict\\picwgoal600\\pichgoal450\\pngblip " + hex(kDamagedPng) + "}")
        << kDamagedPng << QSizeF(40, 30) << false;
}

void RtfPicturesTest::readsEachPictureAndWritesItBack() {
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, bytes);
    QFETCH(QSizeF, shown);
    QFETCH(bool, drawn);

    QTextDocument document;
    QCOMPARE(readDocument(input, document), ReadStatus::Loaded);
    QCOMPARE(rawText(document), QStringLiteral("before \uFFFC after"));
    const QList<Shown> read = picturesOf(document);
    QCOMPARE(read.size(), 1);
    QVERIFY(read[0].picture);
    QCOMPARE(read[0].picture->bytes(), bytes);
    QCOMPARE(pictures::shownSize(read[0].format), shown);
    QCOMPARE(!read[0].picture->image().isNull(), drawn);

    QTextDocument again;
    QCOMPARE(readDocument(writeRtf(document), again), ReadStatus::Loaded);
    const QList<Shown> written = picturesOf(again);
    QCOMPARE(written.size(), 1);
    QCOMPARE(written[0].picture->bytes(), bytes);
    QCOMPARE(written[0].picture->header(), read[0].picture->header());
    QCOMPARE(pictures::shownSize(written[0].format), shown);
}

void RtfPicturesTest::writesAResizedPictureAtItsNewSize() {
    QTextDocument document;
    QCOMPARE(readDocument(story("{\\pict\\picscalex50\\picscaley50\\piccropl300\\picwgoal1500"
                                "\\pichgoal900\\pngblip " +
                                hex(kPng) + "}"),
                          document),
             ReadStatus::Loaded);
    QTextCursor cursor(&document);
    cursor.setPosition(7);
    cursor.setPosition(8, QTextCursor::KeepAnchor);
    QTextImageFormat format = picturesOf(document).value(0).format;
    format.setWidth(150);
    format.setHeight(112);
    cursor.setCharFormat(format);

    QTextDocument again;
    QCOMPARE(readDocument(writeRtf(document), again), ReadStatus::Loaded);
    const Shown written = picturesOf(again).value(0);
    QVERIFY(written.picture);
    QCOMPARE(written.picture->bytes(), kPng);
    QCOMPARE(pictures::shownSize(written.format), QSizeF(150, 112));
}

void RtfPicturesTest::tellsWhatItCannotKeep_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("objects");
    QTest::addColumn<int>("shapes");
    const QByteArray png = hex(kPng);
    QTest::newRow("embedded object: its data lost, its picture kept")
        << story(
               "{\\object\\objemb{\\*\\objclass Excel.Sheet.8}{\\*\\objdata 0102}"
               "{\\result{\\pict\\picwgoal600\\pichgoal450\\pngblip " +
               png + "}}}")
        << "before \uFFFC after" << 1 << 0;
    QTest::newRow("shape with a picture: the picture, not its copy for older readers")
        << story(
               "{\\shp{\\*\\shpinst\\shpleft0{\\sp{\\sn shapeType}{\\sv 75}}{\\sp{\\sn pib}{\\sv "
               "{\\pict\\picwgoal600\\pichgoal450\\pngblip " +
               png + "}}}}{\\shprslt{\\pict\\wmetafile8 " + hex(kWmf) + "}}}")
        << "before \uFFFC after" << 0 << 0;
    QTest::newRow("drawn shape, its text box text read as before")
        << story("{\\shp{\\*\\shpinst{\\sp{\\sn shapeType}{\\sv 1}}}{\\shprslt boxed}}")
        << "before boxed after" << 0 << 1;
    QTest::newRow("picture in a note goes with the note")
        << QByteArray("{\\rtf1 a\\chftn{\\footnote\\chftn note{\\pict\\pngblip " + png +
                      "}}b\\par}")
        << "a1b\n1note\uFFFC" << 0 << 0;
    QTest::newRow("nothing lost") << story("text") << "before text after" << 0 << 0;
}

void RtfPicturesTest::tellsWhatItCannotKeep() {
    QFETCH(QByteArray, input);
    QFETCH(QString, text);
    QFETCH(int, objects);
    QFETCH(int, shapes);
    QTextDocument document;
    NotKept notKept;
    QCOMPARE(readDocument(input, document, {}, &notKept), ReadStatus::Loaded);
    QCOMPARE(rawText(document), text);
    QCOMPARE(notKept.objects, objects);
    QCOMPARE(notKept.shapes, shapes);
    for (const Shown& shown : picturesOf(document))
        QVERIFY2(shown.picture && shown.picture->bytes() == kPng, "a picture lost its bytes");
}

// Pictures are bounded by their data, not by the bound of text: a story of
// photos may be far larger than a story of words.
void RtfPicturesTest::pictureDataHasABoundOfItsOwn() {
    const qsizetype size = kMaxInputBytes + 1024 * 1024;
    QByteArray input = "{\\rtf1 a{\\pict\\pngblip\\bin" + QByteArray::number(size) + " ";
    input += QByteArray(size, '\x5a');
    input += "}b\\par}";
    QTextDocument document;
    QCOMPARE(readDocument(input, document), ReadStatus::Loaded);
    const QList<Shown> read = picturesOf(document);
    QCOMPARE(read.size(), 1);
    QCOMPARE(read[0].picture->bytes().size(), size);
    QCOMPARE(rawText(document), QStringLiteral("a\uFFFCb"));
}

QTEST_MAIN(RtfPicturesTest)
#include "tst_rtfpictures.moc"
