#include "rtf/rtffile.h"
#include "rtf/rtfreader.h"

#include "rtftesthelpers.h"

#include <QDir>
#include <QFile>
#include <QProcess>
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

}  // namespace

class RtfLibreOfficeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void libreOfficeReadsOurText();
    void libreOfficeSeesOurAttributes();
    void weReadWhatLibreOfficeWrites();
    void weReadOtherWritersTextAsLibreOfficeDoes();

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

QTEST_MAIN(RtfLibreOfficeTest)
#include "tst_rtflibreoffice.moc"
