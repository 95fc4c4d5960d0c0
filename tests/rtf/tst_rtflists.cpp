#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

#include "rtftesthelpers.h"

#include <QTextDocument>
#include <QtTest>

using namespace vellumora::rtf;
using vellumora::rtf::test::formatAt;
using vellumora::rtf::test::rawText;
using vellumora::rtf::test::textOf;

// List paragraphs are labelled from the list tables, as Word draws them; the
// label a writer kept for readers without lists stands in only where the
// tables give none.
namespace {

QByteArray document(const QByteArray& fonts, const QByteArray& lists, const QByteArray& body) {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Times New Roman;}" + fonts + "}" +
           lists + body + "}";
}

// As Word writes them, a bullet by number and one by byte; the cached labels
// are stale on purpose, so that a label read from them shows.
const QByteArray kWordFonts = "{\\f3\\fcharset2 Symbol;}{\\f10\\fcharset2 Wingdings;}";
const QByteArray kWordLists =
    "{\\*\\listtable"
    "{\\list\\listtemplateid1\\listhybrid"
    "{\\listlevel\\levelnfc23\\levelnfcn23\\leveljc0\\levelfollow0\\levelstartat1"
    "{\\leveltext\\leveltemplateid67698689\\'01\\u-3913 ?;}{\\levelnumbers;}\\f3\\fbias0 "
    "\\fi-360\\li720}"
    "{\\listlevel\\levelnfc23\\levelnfcn23\\levelfollow0\\levelstartat1"
    "{\\leveltext\\leveltemplateid67698691\\'01\\'a7;}{\\levelnumbers;}\\f10 }"
    "{\\listname ;}\\listid100}"
    "{\\list\\listtemplateid2"
    "{\\listlevel\\levelnfc0\\levelfollow0\\levelstartat3{\\leveltext\\'02\\'00.;}"
    "{\\levelnumbers\\'01;}}"
    "{\\listlevel\\levelnfc4\\levelfollow0\\levelstartat1{\\leveltext\\'04\\'00.\\'01);}"
    "{\\levelnumbers\\'01\\'03;}}"
    "{\\listlevel\\levelnfc2\\levelfollow1\\levelstartat1{\\leveltext\\'02\\'02.;}}"
    "{\\listname ;}\\listid200}}"
    "{\\*\\listoverridetable{\\listoverride\\listid100\\listoverridecount0\\ls1}"
    "{\\listoverride\\listid200\\listoverridecount0\\ls2}"
    "{\\listoverride\\listid200\\listoverridecount1"
    "{\\lfolevel\\listoverridestartat\\levelstartat10}\\ls3}}";

QByteArray wordParagraph(const QByteArray& properties, const QByteArray& text) {
    return "{\\listtext\\pard\\plain\\f3 \\'a8\\tab}\\pard\\plain \\fi-360\\li720" + properties +
           " " + text + "\\par\r\n";
}

}  // namespace

class RtfListsTest : public QObject {
    Q_OBJECT

private slots:
    void labelsComeFromTheListTables_data();
    void labelsComeFromTheListTables();
    void labelsTakeTheLevelsFont();
    void labelsSurviveAWriteAndARead();
    void hostileTablesStayBounded_data();
    void hostileTablesStayBounded();
};

void RtfListsTest::labelsComeFromTheListTables_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Word's bullets, not its cached diamonds")
        << document(kWordFonts, kWordLists,
                    "Intro\\par " + wordParagraph("\\ls1\\ilvl0", "One") +
                        wordParagraph("\\ls1\\ilvl1", "Two"))
        << "Intro\n•\tOne\n▪\tTwo";
    QTest::newRow("numbers count per list and level, each level in its format")
        << document(kWordFonts, kWordLists,
                    wordParagraph("\\ls2", "A") + wordParagraph("\\ls2\\ilvl1", "A1") +
                        wordParagraph("\\ls2\\ilvl1", "A2") + "\\pard Between\\par " +
                        wordParagraph("\\ls2\\ilvl2", "A2i") + wordParagraph("\\ls2", "B") +
                        wordParagraph("\\ls2\\ilvl1", "B1"))
        << "3.\tA\n3.a)\tA1\n3.b)\tA2\nBetween\ni. A2i\n4.\tB\n4.a)\tB1";
    QTest::newRow("an override begins its level again, and shares the list's count")
        << document(kWordFonts, kWordLists,
                    wordParagraph("\\ls2", "A") + wordParagraph("\\ls3", "J") +
                        wordParagraph("\\ls3", "K") + wordParagraph("\\ls2", "L"))
        << "3.\tA\n10.\tJ\n11.\tK\n12.\tL";
    QTest::newRow("the cached label where the tables lack the list or level")
        << document(
               kWordFonts, kWordLists,
               wordParagraph("\\ls9", "No such list") +
                   wordParagraph("\\ls2\\ilvl5", "No such level") +
                   "\\pard{\\pntext\\f3 \\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}Old\\par ")
        << "♦\tNo such list\n♦\tNo such level\n•\tOld";
    // LibreOffice leaves a bullet's font out of the font table, and keeps the
    // bullet for other readers in a font of letters.
    QTest::newRow("LibreOffice's Symbol bullet whose font is not in the table")
        << document("{\\f1\\fcharset2 Symbol;}",
                    "{\\*\\listtable{\\list\\listtemplateid5{\\listlevel\\levelnfc23\\leveljc0"
                    "\\levelstartat1\\levelfollow2{\\leveltext \\'01\\u61623 ?;}{\\levelnumbers;}"
                    "\\f7\\fi0\\li0}\\listid5}}{\\listoverridetable{\\listoverride\\listid5"
                    "\\listoverridecount0\\ls5}}",
                    "\\pard\\plain {\\listtext\\pard\\plain  \\u61623\\'3f\\tab}\\ilvl0\\ls5 "
                    "{\\loch Cat}\\par")
        << "•Cat";
    // LibreOffice draws these as an en dash and a bullet: OpenSymbol's bytes are
    // in the document's code page, though the font is marked as one of symbols.
    QTest::newRow("OpenSymbol bullets given by byte")
        << document("{\\f5\\fnil\\fcharset2 OpenSymbol;}",
                    "{\\*\\listtable{\\list{\\listlevel\\levelnfc23{\\leveltext \\'01\\'96;}\\f5}"
                    "\\listid1}{\\list{\\listlevel\\levelnfc23{\\leveltext \\'01\\'95;}\\f5}"
                    "\\listid2}}{\\listoverridetable{\\listoverride\\listid1\\ls1}"
                    "{\\listoverride\\listid2\\ls2}}",
                    "\\pard\\ls1 Dash\\par\\pard\\ls2 Bullet\\par")
        << "–\tDash\n•\tBullet";
    QTest::newRow("letters past Z, Roman numbers, two digits, the start of levels above")
        << document({},
                    "{\\*\\listtable"
                    "{\\list{\\listlevel\\levelnfc3\\levelstartat26{\\leveltext\\'01\\'00;}}"
                    "\\listid1}"
                    "{\\list{\\listlevel\\levelnfc1\\levelstartat4\\levelfollow1"
                    "{\\leveltext\\'01\\'00;}}\\listid2}"
                    "{\\list{\\listlevel\\levelnfc0\\levelstartat5{\\leveltext\\'01\\'00;}}"
                    "{\\listlevel\\levelnfc22\\levelstartat9\\levelfollow2"
                    "{\\leveltext\\'04\\'00-\\'01 ;}}\\listid3}}"
                    "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}"
                    "{\\listoverride\\listid2\\ls2}{\\listoverride\\listid3\\ls3}}",
                    "\\pard\\ls1 Z\\par\\pard\\ls1 AA\\par\\pard\\ls2 IV\\par\\pard\\ls2 V\\par"
                    "\\pard\\ls3\\ilvl1 x\\par\\pard\\ls3\\ilvl1 y\\par")
        << "Z\tZ\nAA\tAA\nIV IV\nV V\n5-09 x\n5-10 y";
}

void RtfListsTest::labelsComeFromTheListTables() {
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    QCOMPARE(textOf(input), expected);
}

// A bullet is drawn in the level's font, a number in the paragraph's.
void RtfListsTest::labelsTakeTheLevelsFont() {
    QTextDocument read;
    QCOMPARE(readDocument(document(kWordFonts, kWordLists,
                                   wordParagraph("\\ls1", "One") + wordParagraph("\\ls2", "Two")),
                          read),
             ReadStatus::Loaded);
    const QTextCharFormat bullet = formatAt(read, u'•');
    QCOMPARE(bullet.fontFamilies().toStringList().value(0), QStringLiteral("Symbol"));
    QCOMPARE(formatAt(read, u'3').fontFamilies().toStringList().value(0),
             QStringLiteral("Times New Roman"));
}

void RtfListsTest::labelsSurviveAWriteAndARead() {
    QTextDocument read;
    QCOMPARE(
        readDocument(document(kWordFonts, kWordLists,
                              wordParagraph("\\ls1", "One") + wordParagraph("\\ls1\\ilvl1", "Two") +
                                  wordParagraph("\\ls2\\ilvl1", "Three")),
                     read),
        ReadStatus::Loaded);
    QCOMPARE(rawText(read), QStringLiteral("•\tOne\n▪\tTwo\n3.a)\tThree"));
    const QByteArray written = writeRtf(read);
    QVERIFY2(written.contains("\\fcharset2 Symbol;") && written.contains("\\fcharset2 Wingdings;"),
             written.constData());
    QTextDocument again;
    QCOMPARE(readDocument(written, again), ReadStatus::Loaded);
    QCOMPARE(rawText(again), rawText(read));
}

void RtfListsTest::hostileTablesStayBounded_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");
    const QByteArray override = "{\\listoverridetable{\\listoverride\\listid1\\ls1}}";
    QTest::newRow("a count at the largest number stays there, in digits")
        << document({},
                    "{\\*\\listtable{\\list{\\listlevel\\levelnfc3\\levelstartat2147483647"
                    "{\\leveltext\\'02\\'00.;}}\\listid1}}" +
                        override,
                    "\\pard\\ls1 a\\par\\pard\\ls1 b\\par")
        << "2147483647.\ta\n2147483647.\tb";
    QTest::newRow("levels out of range, a level text longer than its length")
        << document({},
                    "{\\*\\listtable{\\list{\\listlevel\\levelstartat-3"
                    "{\\leveltext\\'09\\'00;}}\\listid1}}" +
                        override,
                    "\\pard\\ls1\\ilvl-4 a\\par\\pard\\ls1\\ilvl99 b\\par")
        << "-3\ta\nb";
    QTest::newRow("a level text of thousands of numbers is cut short")
        << document({},
                    "{\\*\\listtable{\\list{\\listlevel\\levelfollow2{\\leveltext\\'ff" +
                        QByteArray("\\'00").repeated(5000) + "x;}}\\listid1}}" + override,
                    "\\pard\\ls1 a\\par")
        << QString(255, u'1') + u'a';
}

void RtfListsTest::hostileTablesStayBounded() {
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    QCOMPARE(textOf(input), expected);
}

QTEST_MAIN(RtfListsTest)
#include "tst_rtflists.moc"
