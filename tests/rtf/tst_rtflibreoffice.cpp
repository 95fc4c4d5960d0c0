#include "pictures/newpicture.h"
#include "rtf/rtffile.h"
#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

#include "rtftesthelpers.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

using namespace vellumora::rtf;
using namespace vellumora::rtf::test;

// What we write must open in LibreOffice Writer with its text and attributes,
// and what Writer saves as RTF must open here the same.
namespace {

constexpr int kConversionSeconds = 240;

struct Run {
    QString text;
    QString family;
    double points;
    bool bold;
    bool italic;
    bool underline;
    QRgb colour;  // 0: automatic
};

// One run per paragraph, each with a word of its own that the HTML checks look for.
const Run kRuns[] = {
    {QStringLiteral("PlainRun in arial, as the editor writes it"), QStringLiteral("arial"), 12,
     false, false, false, 0},
    {QStringLiteral("BoldRun"), QStringLiteral("arial"), 12, true, false, false, 0},
    {QStringLiteral("ItalicRun"), QStringLiteral("arial"), 12, false, true, false, 0},
    {QStringLiteral("UnderRun"), QStringLiteral("arial"), 12, false, false, true, 0},
    {QStringLiteral("RedRun"), QStringLiteral("arial"), 12, false, false, false, 0xC81E28},
    {QStringLiteral("TimesRun"), QStringLiteral("Times New Roman"), 18, false, false, false, 0},
    {QStringLiteral("Ελληνικά και русский текст"), QStringLiteral("Liberation Serif"), 14, true,
     true, false, 0x1E6432},
    // LibreOffice drops the colour of right-to-left text, so this run has none.
    {QStringLiteral("עברית והערבية"), QStringLiteral("Liberation Serif"), 13, true, true, false, 0},
    {QStringLiteral("中文和日本語のテキスト 한국어"), QStringLiteral("Liberation Sans"), 9.5, false,
     true, true, 0},
    {QStringLiteral("Symbols \\ { } ; ? € “quotes” — 😀 and a\ttab"),
     QStringLiteral("Liberation Mono"), 11, false, false, false, 0x0000FF},
};

QTextCharFormat formatOf(const Run& run) {
    QTextCharFormat format;
    format.setFontFamilies({run.family});
    format.setFontPointSize(run.points);
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.italic);
    format.setFontUnderline(run.underline);
    if (run.colour) {
        format.setForeground(QColor::fromRgb(run.colour));
    }
    return format;
}

void fillSample(QTextDocument& document) {
    document.setDefaultFont(QFont(QStringLiteral("arial"), 12));
    QTextCursor cursor(&document);
    bool first = true;
    for (const Run& run : kRuns) {
        if (!first) {
            cursor.insertBlock();
        }
        first = false;
        cursor.insertText(run.text, formatOf(run));
    }
}

QString readUtf8(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(u'\uFEFF')) {
        text.remove(0, 1);
    }
    return text;
}

/// How many pictures a page LibreOffice made holds.
int imagesIn(const QString& htmlPath) {
    return int(readUtf8(htmlPath).count(QStringLiteral("<img ")));
}

/// The size LibreOffice gives each picture of its HTML page, in pixels.
QList<QSize> imageSizesIn(const QString& htmlPath) {
    static const QRegularExpression image(
        QStringLiteral("<img [^>]*width=\"(\\d+)\"[^>]*height=\"(\\d+)\""));
    QList<QSize> sizes;
    for (const QRegularExpressionMatch& match : image.globalMatch(readUtf8(htmlPath)))
        sizes << QSize(match.captured(1).toInt(), match.captured(2).toInt());
    return sizes;
}

/// Light that changes smoothly, with a camera's noise in it.
QImage photoLike(int width, int height) {
    QRandomGenerator noise(7);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int grain = noise.bounded(24);
            image.setPixel(x, y,
                           qRgb(x * 200 / width + grain, y * 200 / height + grain, 90 + grain));
        }
    return image;
}

QImage drawing(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setBrush(QColor(30, 120, 200));
    painter.drawEllipse(image.rect().adjusted(2, 2, -2, -2));
    return image;
}

}  // namespace

class RtfLibreOfficeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void libreOfficeReadsOurText();
    void libreOfficeSeesOurAttributes();
    void weReadWhatLibreOfficeWrites();
    void weReadOtherWritersTextAsLibreOfficeDoes();
    void weLabelListsAsLibreOfficeDoes();
    void weReadLibreOfficeSectionsAndScriptsAsItDoes();
    void libreOfficeFindsOurPicturesAtTheirSize();
    void libreOfficeFindsEveryPictureOfTheCorpusInOurCopy();

private:
    /// Converts the file with LibreOffice into outDir; the converted file's path, or empty.
    QString convert(const QString& input, const QString& filter, const QString& extension);
    /// Converts the files in one start of LibreOffice; the converted files' paths, or empty.
    QStringList convert(const QStringList& inputs, const QString& filter, const QString& extension);

    QString soffice_;
    QTemporaryDir work_;
    QString ourFile_;
};

void RtfLibreOfficeTest::initTestCase() {
    soffice_ = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice_.isEmpty()) {
        QSKIP(
            "LibreOffice (soffice, package libreoffice-writer-nogui) is not installed: the "
            "LibreOffice checks of the RTF files are skipped.");
    }
    QVERIFY(work_.isValid());
    QTextDocument document;
    fillSample(document);
    ourFile_ = work_.filePath(QStringLiteral("ours.rtf"));
    QString error;
    QVERIFY2(saveDocumentFile(ourFile_, document, &error), qPrintable(error));
}

QString RtfLibreOfficeTest::convert(const QString& input, const QString& filter,
                                    const QString& extension) {
    return convert(QStringList{input}, filter, extension).value(0);
}

QStringList RtfLibreOfficeTest::convert(const QStringList& inputs, const QString& filter,
                                        const QString& extension) {
    const QString outDir = work_.filePath(QStringLiteral("out-") + extension);
    QDir().mkpath(outDir);
    // A profile of its own, so that no user's LibreOffice settings or running instance interfere.
    const QString profile =
        QUrl::fromLocalFile(work_.filePath(QStringLiteral("profile"))).toString();
    QStringList arguments = {QStringLiteral("-env:UserInstallation=") + profile,
                             QStringLiteral("--headless"),
                             QStringLiteral("--norestore"),
                             QStringLiteral("--convert-to"),
                             filter,
                             QStringLiteral("--outdir"),
                             outDir};
    arguments += inputs;
    QProcess process;
    // timeout(1) ends LibreOffice's whole process group should it hang.
    const QString timeout = QStandardPaths::findExecutable(QStringLiteral("timeout"));
    if (timeout.isEmpty()) {
        process.start(soffice_, arguments);
    } else {
        arguments.prepend(soffice_);
        arguments = QStringList{QStringLiteral("-k"), QStringLiteral("10"),
                                QString::number(kConversionSeconds)} +
                    arguments;
        process.start(timeout, arguments);
    }
    if (!process.waitForFinished((kConversionSeconds + 20) * 1000)) {
        process.kill();
        process.waitForFinished(5000);
        qWarning("LibreOffice did not finish converting %s", qPrintable(inputs.join(u' ')));
        return {};
    }
    QStringList outputs;
    for (const QString& input : inputs) {
        const QString output =
            outDir + u'/' + QFileInfo(input).completeBaseName() + u'.' + extension;
        if (!QFile::exists(output)) {
            qWarning("LibreOffice wrote no %s for %s: %s %s", qPrintable(extension),
                     qPrintable(input), process.readAllStandardOutput().constData(),
                     process.readAllStandardError().constData());
        }
        outputs << (QFile::exists(output) ? output : QString());
    }
    return outputs;
}

void RtfLibreOfficeTest::libreOfficeReadsOurText() {
    const QString txt =
        convert(ourFile_, QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("txt"));
    QVERIFY(!txt.isEmpty());
    QStringList expected;
    for (const Run& run : kRuns) {
        expected << run.text;
    }
    QCOMPARE(readUtf8(txt).trimmed().split(u'\n'), expected);
}

void RtfLibreOfficeTest::libreOfficeSeesOurAttributes() {
    const QString htmlPath = convert(ourFile_, QStringLiteral("html"), QStringLiteral("html"));
    QVERIFY(!htmlPath.isEmpty());
    const QString html = readUtf8(htmlPath);
    // An attribute counts as seen when its tag opens, other tags at most between, before the word.
    const auto before = [](const QString& opening, const QString& word) {
        return QRegularExpression(opening + QStringLiteral("[^>]*>(\\s*<[^>]*>)*\\s*") + word);
    };
    const QList<QRegularExpression> expectations = {
        before(QStringLiteral("face=\"arial"), QStringLiteral("PlainRun")),
        before(QStringLiteral("<b"), QStringLiteral("BoldRun")),
        before(QStringLiteral("<i"), QStringLiteral("ItalicRun")),
        before(QStringLiteral("<u"), QStringLiteral("UnderRun")),
        before(QStringLiteral("color=\"#c81e28\""), QStringLiteral("RedRun")),
        before(QStringLiteral("face=\"Times New Roman"), QStringLiteral("TimesRun")),
        before(QStringLiteral("font-size: 18pt"), QStringLiteral("TimesRun")),
        before(QStringLiteral("color=\"#1e6432\""), QStringLiteral("Ελληνικά")),
        before(QStringLiteral("font-size: 14pt"), QStringLiteral("Ελληνικά")),
    };
    for (const QRegularExpression& expectation : expectations) {
        QVERIFY2(expectation.match(html).hasMatch(),
                 qPrintable(expectation.pattern() + QStringLiteral(" not in:\n") + html));
    }
}

void RtfLibreOfficeTest::weReadWhatLibreOfficeWrites() {
    const QString theirs = convert(ourFile_, QStringLiteral("rtf"), QStringLiteral("rtf"));
    QVERIFY(!theirs.isEmpty());
    QTextDocument original;
    fillSample(original);
    QTextDocument loaded;
    QString error;
    QVERIFY2(loadDocumentFile(theirs, loaded, &error), qPrintable(error));

    QCOMPARE(rawText(loaded), rawText(original));
    const QList<Attributes> expected = attributesPerCharacter(original);
    const QList<Attributes> actual = attributesPerCharacter(loaded);
    QCOMPARE(actual.size(), expected.size());
    const QString text = rawText(original).remove(u'\n');
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QVERIFY2(actual[i] == expected[i],
                 qPrintable(QStringLiteral("character %1 '%2': %3 != %4")
                                .arg(i)
                                .arg(text.at(i))
                                .arg(describe(actual[i]), describe(expected[i]))));
    }
}

// Files of other writers that the reader once read otherwise than LibreOffice.
void RtfLibreOfficeTest::weReadOtherWritersTextAsLibreOfficeDoes() {
    const QList<QByteArray> files = {
        // \* amid a group's formatting, as OpenOffice writes it.
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}{\\b0\\*\\cs7\\cf0 The quick brown fox}\\par}",
        // The font of right-to-left text given after \rtlch, as older Word writes it.
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Times New Roman;}{\\f28\\fcharset178 "
        "Traditional Arabic;}}\\pard\\plain\\rtlch\\af0\\ltrch "
        "{\\ltrch\\ab\\afs24\\rtlch\\b\\f28 \\'c7\\'e1\\'e3\\'dd}\\par}",
        // Mac code page and Mac character sets.
        "{\\rtf1\\mac\\ansicpg10001{\\fonttbl\\f0\\fnil\\fcharset78 HiraMinPro-W3;}\\f0 "
        "\\'82\\'cd\\'82\\'b6\\'82\\'df\\'82\\'c9\\par}",
        "{\\rtf1\\mac{\\fonttbl{\\f0\\fcharset89 R;}{\\f1\\fcharset85 G;}}\\f0 \\'8f\\'f0\\'e8 "
        "\\f1\\'e1\\'e2\\par}",
    };
    QStringList inputs;
    for (const QByteArray& content : files) {
        const QString path = work_.filePath(QStringLiteral("other%1.rtf").arg(inputs.size()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        inputs << path;
    }
    const QStringList texts =
        convert(inputs, QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("txt"));
    for (qsizetype i = 0; i < files.size(); ++i) {
        QVERIFY(!texts.value(i).isEmpty());
        QTextDocument ours;
        QCOMPARE(readDocument(files[i], ours), ReadStatus::Loaded);
        QCOMPARE(rawText(ours), readUtf8(texts[i]).trimmed());
    }
}

// List labels from Word's list tables: bullets in the Symbol font, numbers
// counted per list and level in their formats, a level an override gives in
// place of its list's; the labels Word kept for other readers are stale.
// Our copy of what we read shows the same labels in LibreOffice.
void RtfLibreOfficeTest::weLabelListsAsLibreOfficeDoes() {
    const QByteArray lists =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Times New Roman;}{\\f3\\fcharset2 "
        "Symbol;}}\n"
        "{\\*\\listtable{\\list\\listtemplateid1{"
        "\\listlevel\\levelnfc23\\levelnfcn23\\leveljc0\\levelfollow0\\levelstartat1{"
        "\\leveltext\\leveltemplateid67698689\\'01\\u-3913 ?;}{\\levelnumbers;}\\f3\\fbias0 "
        "\\fi-360\\li720}{\\listname ;}\\listid100}\n"
        "{\\list\\listtemplateid2{\\listlevel\\levelnfc0\\levelfollow0\\levelstartat3{"
        "\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}{"
        "\\listlevel\\levelnfc4\\levelfollow0\\levelstartat1{\\leveltext\\'04\\'00.\\'01);}{"
        "\\levelnumbers\\'01\\'03;}}{\\listlevel\\levelnfc2\\levelfollow1\\levelstartat1{"
        "\\leveltext\\'02\\'02.;}{\\levelnumbers\\'01;}}{"
        "\\listlevel\\levelnfc3\\levelfollow0\\levelstartat1{\\leveltext\\'02\\'03.;}{"
        "\\levelnumbers\\'01;}}{\\listname ;}\\listid200}\n"
        "{\\list\\listtemplateid3\\listsimple{\\listlevel\\levelnfc23\\levelfollow0\\levelstartat0{"
        "\\leveltext\\'01*;}{\\levelnumbers;}}{\\listname ;}\\listid300}}\n"
        "{\\*\\listoverridetable{\\listoverride\\listid100\\listoverridecount0\\ls1}{"
        "\\listoverride\\listid200\\listoverridecount0\\ls2}{"
        "\\listoverride\\listid200\\listoverridecount0\\ls3}{"
        "\\listoverride\\listid300\\listoverridecount1{\\lfolevel\\listoverrideformat{"
        "\\listlevel\\levelnfc23\\levelfollow0\\levelstartat0\\levelold{\\leveltext\\'01\\u-3913 "
        "?;}{\\levelnumbers;}\\f3\\fbias0 }}\\ls4}}\n"
        "\\pard\\plain Intro\\par\n"
        "{\\listtext\\pard\\plain\\f3 \\'a8\\tab}\\pard\\plain \\fi-360\\li720\\ls1\\ilvl0 "
        "Bullet\\par\n"
        "{\\listtext\\pard\\plain 9.\\tab}\\pard\\plain \\ls2 A\\par\n"
        "{\\listtext\\pard\\plain 9.\\tab}\\pard\\plain \\ls2\\ilvl1 A1\\par\n"
        "{\\listtext\\pard\\plain 9.\\tab}\\pard\\plain \\ls2\\ilvl1 A2\\par\n"
        "{\\listtext\\pard\\plain 9.\\tab}\\pard\\plain \\ls2\\ilvl2 A2i\\par\n"
        "{\\listtext\\pard\\plain 9.\\tab}\\pard\\plain \\ls2\\ilvl2 A2ii\\par\n"
        "{\\listtext\\pard\\plain 9.\\tab}\\pard\\plain \\ls2\\ilvl3 A2iiA\\par\n"
        "\\pard\\plain Between\\par\n"
        "{\\listtext\\pard\\plain 9.\\tab}\\pard\\plain \\ls3 B\\par\n"
        "{\\listtext\\pard\\plain 9.\\tab}\\pard\\plain \\ls3\\ilvl1 B1\\par\n"
        "{\\listtext\\pard\\plain *\\tab}\\pard\\plain \\ls4 Override\\par\n"
        "\\pard\\plain After\\par\n"
        "}\n";
    const QString path = work_.filePath(QStringLiteral("lists.rtf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(lists) == lists.size());
    file.close();
    QTextDocument ours;
    QCOMPARE(readDocument(lists, ours), ReadStatus::Loaded);
    const QString copyPath = work_.filePath(QStringLiteral("lists-copy.rtf"));
    QFile copy(copyPath);
    const QByteArray written = writeRtf(ours);
    QVERIFY(copy.open(QIODevice::WriteOnly) && copy.write(written) == written.size());
    copy.close();
    const QStringList texts =
        convert({path, copyPath}, QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("txt"));
    QVERIFY(!texts.value(0).isEmpty() && !texts.value(1).isEmpty());
    // LibreOffice indents list paragraphs and puts a space where the label's tab is.
    const auto lines = [](const QString& text) {
        QStringList result;
        for (const QString& line : text.trimmed().split(u'\n'))
            result << QString(line).replace(u'\t', u' ').simplified();
        return result;
    };
    QCOMPARE(lines(rawText(ours)), lines(readUtf8(texts[0])));
    QCOMPARE(lines(readUtf8(texts[1])), lines(readUtf8(texts[0])));
}

// Hebrew, Arabic with its joiners, no-break spaces and hyphens over eight
// sections, each with a note: the body reads as LibreOffice shows it (its
// text leaves the notes out), and every note follows it.
void RtfLibreOfficeTest::weReadLibreOfficeSectionsAndScriptsAsItDoes() {
    const QString file =
        QStringLiteral(VELLUMORA_RTF_CORPUS_DIR "/vellumora--sections-notes-rtl.rtf");
    const QString text =
        convert(file, QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("txt"));
    QVERIFY(!text.isEmpty());
    const QStringList theirs = readUtf8(text).remove(u'\uFEFF').split(u'\n', Qt::SkipEmptyParts);
    QFile input(file);
    QVERIFY(input.open(QIODevice::ReadOnly));
    QTextDocument ours;
    QCOMPARE(readDocument(input.readAll(), ours), ReadStatus::Loaded);
    const QStringList paragraphs = rawText(ours).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(paragraphs.size(), theirs.size() + 8);
    QCOMPARE(paragraphs.first(theirs.size()), theirs);
    for (int note = 1; note <= 8; ++note) {
        QCOMPARE(paragraphs[theirs.size() + note - 1],
                 QStringLiteral("%1\tNote of chapter %1.").arg(note));
    }
}

// A photo and a drawing, as the editor keeps them, in LibreOffice at the size shown here.
void RtfLibreOfficeTest::libreOfficeFindsOurPicturesAtTheirSize() {
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("A photo: "));
    const QList<QSizeF> shown = {{240, 180}, {96, 96}};
    const QList<vellumora::pictures::NewPicture> made = {
        vellumora::pictures::fromImage(photoLike(640, 480)),
        vellumora::pictures::fromImage(drawing(50, 50))};
    QCOMPARE(made[0].picture->encoding(), vellumora::pictures::Encoding::Jpeg);
    QCOMPARE(made[1].picture->encoding(), vellumora::pictures::Encoding::Png);
    for (qsizetype i = 0; i < made.size(); ++i) {
        const QString name = vellumora::pictures::add(document, made[i].picture);
        cursor.insertImage(vellumora::pictures::imageFormat(name, shown[i]));
        cursor.insertBlock();
    }
    cursor.insertText(QStringLiteral("The end."));
    const QString path = work_.filePath(QStringLiteral("pictures.rtf"));
    QString error;
    QVERIFY2(saveDocumentFile(path, document, &error), qPrintable(error));

    const QString html = convert(path, QStringLiteral("html"), QStringLiteral("html"));
    QVERIFY(!html.isEmpty());
    QCOMPARE(imageSizesIn(html), (QList<QSize>{{240, 180}, {96, 96}}));
}

// Opened and saved here, every picture LibreOffice finds in a file is in the copy too.
void RtfLibreOfficeTest::libreOfficeFindsEveryPictureOfTheCorpusInOurCopy() {
    QStringList originals, copies;
    QDirIterator files(QStringLiteral(VELLUMORA_RTF_CORPUS_DIR), {QStringLiteral("*.rtf")});
    while (files.hasNext()) {
        const QString original = files.next();
        QFile file(original);
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (!file.readAll().contains("\\pict"))
            continue;
        QTextDocument document;
        QString error;
        QVERIFY2(loadDocumentFile(original, document, &error), qPrintable(error));
        const QString copy = work_.filePath(QStringLiteral("copy-") + files.fileName());
        QVERIFY2(saveDocumentFile(copy, document, &error), qPrintable(error));
        originals << original;
        copies << copy;
    }
    QVERIFY(originals.size() >= 2);
    const QStringList pages =
        convert(originals + copies, QStringLiteral("html"), QStringLiteral("html"));
    int found = 0;
    for (qsizetype i = 0; i < originals.size(); ++i) {
        const QString original = pages.value(i), copy = pages.value(originals.size() + i);
        QVERIFY(!original.isEmpty() && !copy.isEmpty());
        QVERIFY2(imagesIn(copy) == imagesIn(original),
                 qPrintable(QStringLiteral("%1: %2 pictures in the copy, %3 in the file")
                                .arg(originals[i])
                                .arg(imagesIn(copy))
                                .arg(imagesIn(original))));
        found += imagesIn(original);
    }
    QVERIFY(found > 0);
}

QTEST_MAIN(RtfLibreOfficeTest)
#include "tst_rtflibreoffice.moc"
