#include "rtf/hiddentext.h"
#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

#include "rtftesthelpers.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

using namespace vellumora::rtf;
using namespace vellumora::rtf::test;

namespace {

// Text a user may type: several scripts, symbols, emoji, and the characters RTF treats specially.
const QStringList kPieces = {
    QStringLiteral("Once upon a time "),
    QStringLiteral("\\{braces}\\ and ; ? "),
    QStringLiteral("Grüße aus Köln, "),
    QStringLiteral("ça coûte 5 € "),
    QStringLiteral("Ελληνικά "),
    QStringLiteral("Русский текст "),
    QStringLiteral("中文和日本語 "),
    QStringLiteral("한국어 "),
    QStringLiteral("עברית "),
    QStringLiteral("العربية "),
    QStringLiteral("ไทย "),
    QStringLiteral("😀👍🏽 "),
    QStringLiteral("\t"),
    QStringLiteral("\u00A0"),
    QStringLiteral("\u2028"),
    QStringLiteral("“quoted” — dash… "),
    QStringLiteral("\u00AD\u2011"),
    QStringLiteral("𝄞 "),
};

const QStringList kFamilies = {
    QStringLiteral("arial"),
    QStringLiteral("Times New Roman"),
    QStringLiteral("Liberation Serif"),
    QStringLiteral("ＭＳ 明朝"),
    QStringLiteral("Courier New"),
    // Symbol fonts: written as such, every character by number, their text comes back as typed.
    QStringLiteral("Symbol"),
    QStringLiteral("Wingdings"),
};

QTextCharFormat randomFormat(QRandomGenerator& random) {
    QTextCharFormat format;
    format.setFontFamilies({kFamilies[random.bounded(int(kFamilies.size()))]});
    format.setFontPointSize(random.bounded(8, 73) / 2.0);
    format.setFontWeight(random.bounded(2) ? QFont::Bold : QFont::Normal);
    format.setFontItalic(random.bounded(2));
    format.setFontUnderline(random.bounded(2));
    if (random.bounded(2)) {
        format.setForeground(QColor::fromRgb(random.bounded(0x1000000u)));
    }
    if (random.bounded(5) == 0) {
        markHiddenText(format);
    }
    return format;
}

QString randomText(QRandomGenerator& random) {
    QString text;
    for (int i = random.bounded(1, 4); i > 0; --i) {
        text += kPieces[random.bounded(int(kPieces.size()))];
    }
    return text;
}

/// Paragraphs of runs; some paragraphs are empty, the last one included now and then.
void fillRandomly(QTextDocument& document, quint32 seed) {
    QRandomGenerator random(seed);
    document.setDefaultFont(QFont(QStringLiteral("arial"), 12));
    QTextCursor cursor(&document);
    const int paragraphs = random.bounded(1, 9);
    for (int p = 0; p < paragraphs; ++p) {
        if (p > 0) {
            cursor.insertBlock();
        }
        for (int r = random.bounded(0, 7); r > 0; --r) {
            cursor.insertText(randomText(random), randomFormat(random));
        }
    }
}

}  // namespace

class RtfRoundTripTest : public QObject {
    Q_OBJECT

private slots:
    void keepsTextAndAttributes_data();
    void keepsTextAndAttributes();
    void keepsWhatAnotherWriterWrote();
};

void RtfRoundTripTest::keepsTextAndAttributes_data() {
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 40; ++seed) {
        QTest::addRow("seed %u", seed) << seed;
    }
}

void RtfRoundTripTest::keepsTextAndAttributes() {
    QFETCH(quint32, seed);
    QTextDocument original;
    fillRandomly(original, seed);

    QTextDocument copy;
    QCOMPARE(readDocument(writeRtf(original), copy), ReadStatus::Loaded);

    QCOMPARE(rawText(copy), rawText(original));
    QCOMPARE(copy.blockCount(), original.blockCount());
    const QList<Attributes> expected = attributesPerCharacter(original);
    const QList<Attributes> actual = attributesPerCharacter(copy);
    QCOMPARE(actual.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QVERIFY2(actual[i] == expected[i],
                 qPrintable(QStringLiteral("character %1: %2 != %3")
                                .arg(i)
                                .arg(describe(actual[i]), describe(expected[i]))));
    }
}

// Notes after section breaks, Hebrew and Arabic, no-break characters, as
// LibreOffice writes them: saved here and read again, every character stays.
void RtfRoundTripTest::keepsWhatAnotherWriterWrote() {
    QFile file(QStringLiteral(VELLUMORA_RTF_CORPUS_DIR "/vellumora--sections-notes-rtl.rtf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QTextDocument original;
    QCOMPARE(readDocument(file.readAll(), original), ReadStatus::Loaded);
    QVERIFY(rawText(original).contains(QStringLiteral("Note of chapter 8.")));
    QTextDocument copy;
    QCOMPARE(readDocument(writeRtf(original), copy), ReadStatus::Loaded);
    QCOMPARE(rawText(copy), rawText(original));
}

QTEST_MAIN(RtfRoundTripTest)
#include "tst_rtfroundtrip.moc"
