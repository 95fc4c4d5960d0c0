#include "rtf/rtfreader.h"

#include "rtftesthelpers.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>
#include <QtTest>

using namespace vellumora::rtf;
using vellumora::rtf::test::formatAt;
using vellumora::rtf::test::rawText;

// RTF written by Word, WordPad, TextEdit, Google Docs, LibreOffice and others,
// with hostile files among them, kept in corpus/ with their licences.
namespace {

QString corpusPath(const QString& name) {
    return QStringLiteral(VELLUMORA_RTF_CORPUS_DIR "/") + name;
}

QByteArray corpusBytes(const QString& name) {
    QFile file(corpusPath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

QString readCorpusFile(const QString& name) {
    QTextDocument document;
    if (readDocument(corpusBytes(name), document) != ReadStatus::Loaded) {
        return {};
    }
    return rawText(document);
}

/// Words and their order, without the layout conventions that differ between converters
/// and without the pictures' places, which a converter to plain text leaves out.
QString comparable(QString text) {
    text.remove(u'\uFFFC');
    text.replace(u'\u00A0', u' ').replace(u'\t', u' ').replace(u'|', u' ');
    return text.simplified();
}

/// The reference texts mark table cells with '|' and append ("url") to link text.
QString comparableReference(QString text) {
    static const QRegularExpression linkTarget(QStringLiteral("\\(\"[^\"]*\"\\)"));
    return comparable(text.remove(linkTarget));
}

/// Non-empty paragraphs joined by " / ", tabs shown as "⇥".
QString paragraphSummary(const QString& text) {
    QStringList paragraphs = text.split(u'\n', Qt::SkipEmptyParts);
    for (QString& paragraph : paragraphs) {
        paragraph = paragraph.trimmed().replace(u'\t', u'⇥');
    }
    return paragraphs.join(QStringLiteral(" / "));
}

}  // namespace

class RtfCorpusTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void matchesReferenceText_data();
    void matchesReferenceText();
    void decodesCodePages_data();
    void decodesCodePages();
    void readsSpecialCases_data();
    void readsSpecialCases();
    void keepsFontNamesFromCodePages();
    void keepsTheNoteOfEverySection();
    void readsEveryFileBounded_data();
    void readsEveryFileBounded();
};

void RtfCorpusTest::initTestCase() {
    QVERIFY2(QFile::exists(corpusPath(QStringLiteral("MANIFEST.md"))),
             "the RTF corpus is missing from tests/rtf/corpus");
}

void RtfCorpusTest::matchesReferenceText_data() {
    QTest::addColumn<QString>("name");
    const QStringList references =
        QDir(corpusPath({})).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    QVERIFY(references.size() >= 30);
    for (const QString& reference : references) {
        const QString base = reference.chopped(4);
        if (QFile::exists(corpusPath(base + ".rtf"))) {
            QTest::newRow(qPrintable(base)) << base;
        }
    }
}

void RtfCorpusTest::matchesReferenceText() {
    QFETCH(QString, name);
    QFile reference(corpusPath(name + ".txt"));
    QVERIFY(reference.open(QIODevice::ReadOnly));
    QString referenceText = QString::fromUtf8(reference.readAll());
    if (name == QStringLiteral("striprtf--encoding")) {
        // That file holds two RTF documents with a stray "Text2:" between them, outside both.
        referenceText.remove(QStringLiteral("Text2:"));
    }
    const QString expected = comparableReference(referenceText);
    QCOMPARE(comparable(readCorpusFile(name + ".rtf")), expected);
}

void RtfCorpusTest::decodesCodePages_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("437")
        << "rtfparserkit--test437Encoding.rtf"
        << "Test Document / Test Title: ⇥(Test Subtitle) / Test Heading: / Test Text.";
    QTest::newRow("950") << "rtfparserkit--test950Encoding.rtf"
                         << "Test Text / Copyright © 2004-2013 Test Project";
    QTest::newRow("Japanese") << "rtfparserkit--testJapaneseJisEncoding.rtf"
                              << "中國";
    QTest::newRow("Greek") << "rtfparserkit--testGreekEncoding.rtf"
                           << "Unicode €Ω";
    QTest::newRow("Turkish") << "rtfparserkit--testTurkishEncoding.rtf"
                             << "Turkish Encoding.";
    QTest::newRow("Korean") << "rtfparserkit--testKoreanEncoding.rtf"
                            << "MS Project Addin ProjectPlus";
    QTest::newRow("multi-byte hex") << "rtfparserkit--testMultiByteHex.rtf"
                                    << "お元気ですか？";
    QTest::newRow("upr") << "rtfparserkit--testUpr.rtf"
                         << "TEST / End User License Agreement / TEST";
    QTest::newRow("unicode")
        << "rtfparserkit--testUnicode.rtf"
        << QStringLiteral(
               "Արամ / Johann Strauß / België⇥René Magritte / বাংলা / ་ཡུལ། / "
               "ប្រទេស\u200B\u200B\u200Bកម្ពុជា / ᓄᓇᕗᒻᒥᐅᑦ / 中国 / Česká republika");
}

void RtfCorpusTest::decodesCodePages() {
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(paragraphSummary(readCorpusFile(name)), expected);
}

void RtfCorpusTest::readsSpecialCases_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("mustContain");
    QTest::addColumn<QString>("mustNotContain");
    QTest::newRow("bin data skipped by count") << "libreoffice--bin-skipping.rtf"
                                               << ""
                                               << "MUST NOT IMPORT";
    QTest::newRow("bullet of a level given in its list's override") << "libreoffice--fdo59638.rtf"
                                                                    << "•\t3"
                                                                    << "*";
    QTest::newRow("IBM PC code page") << "libreoffice--fdo85889-pc.rtf"
                                      << "±≥≤"
                                      << "";
    QTest::newRow("fallback byte that is a brace") << "libreoffice--fdo64671.rtf"
                                                   << "Ž"
                                                   << "}";
    QTest::newRow("guillemets in field results") << "libreoffice--fdo80905.rtf"
                                                 << "«"
                                                 << "MERGEFIELD";
    QTest::newRow("Cyrillic font charset") << "libreoffice--fdo68076.rtf"
                                           << "Объект"
                                           << "";
    QTest::newRow("text before the closing brace") << "libreoffice--fdo52389.rtf"
                                                   << "dania!"
                                                   << "";
    QTest::newRow("font number with leading zeros") << "libreoffice--fdo61909.rtf"
                                                    << "#include<iostream.h>"
                                                    << "";
    QTest::newRow("broken hex as a fallback") << "libreoffice--invalid-hex.rtf"
                                              << "ř"
                                              << "";
    QTest::newRow("picture skipped") << "d0rianb--file-with-image.rtf"
                                     << ""
                                     << "0100090000";
}

void RtfCorpusTest::readsSpecialCases() {
    QFETCH(QString, name);
    QFETCH(QString, mustContain);
    QFETCH(QString, mustNotContain);
    const QString text = readCorpusFile(name);
    if (!mustContain.isEmpty()) {
        QVERIFY2(text.contains(mustContain), qPrintable(text.left(500)));
    }
    if (!mustNotContain.isEmpty()) {
        QVERIFY2(!text.contains(mustNotContain), qPrintable(text.left(500)));
    }
}

void RtfCorpusTest::keepsFontNamesFromCodePages() {
    QTextDocument document;
    readDocument(corpusBytes(QStringLiteral("rtfparserkit--testMultiByteHex.rtf")), document);
    QCOMPARE(formatAt(document, u'お').fontFamilies().toStringList().value(0),
             QStringLiteral("ＭＳ Ｐゴシック"));
}

// Eight sections, each with a note numbered anew and a line of Hebrew or
// Arabic or of no-break characters, as LibreOffice writes them.
void RtfCorpusTest::keepsTheNoteOfEverySection() {
    const QString text = readCorpusFile(QStringLiteral("vellumora--sections-notes-rtl.rtf"));
    for (int chapter = 1; chapter <= 8; ++chapter) {
        QVERIFY2(text.contains(QStringLiteral("chapter %1").arg(chapter)), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Note of chapter %1.").arg(chapter)),
                 qPrintable(text));
    }
    for (const QString& line :
         {QStringLiteral("שלום עולם"), QStringLiteral("مرحبا بالعالم"),
          QStringLiteral("Vellum\u00A0and\u00A0ink"), QStringLiteral("well\u2011known"),
          QStringLiteral("hyphen\u00ADation")}) {
        QVERIFY2(text.contains(line), qPrintable(line));
    }
}

void RtfCorpusTest::readsEveryFileBounded_data() {
    QTest::addColumn<QString>("name");
    const QStringList files =
        QDir(corpusPath({})).entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
    QVERIFY(files.size() >= 70);
    for (const QString& file : files) {
        QTest::newRow(qPrintable(file)) << file;
    }
}

void RtfCorpusTest::readsEveryFileBounded() {
    QFETCH(QString, name);
    const QByteArray bytes = corpusBytes(name);
    QVERIFY(!bytes.isEmpty());
    QTextDocument document;
    QCOMPARE(readDocument(bytes, document), ReadStatus::Loaded);
    // Every character and paragraph comes from at least one byte of the file.
    QVERIFY(document.characterCount() <= bytes.size() + 1);
}

QTEST_MAIN(RtfCorpusTest)
#include "tst_rtfcorpus.moc"
