#include "rtf/hiddentext.h"
#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"
#include "rtf/symbolfonts.h"

#include "rtftesthelpers.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

using namespace vellumora::rtf;
using vellumora::rtf::test::Attributes;
using vellumora::rtf::test::attributesOf;
using vellumora::rtf::test::describe;
using vellumora::rtf::test::formatAt;
using vellumora::rtf::test::rawText;
using vellumora::rtf::test::textOf;

namespace {

constexpr QRgb kNoColour = 0x01000000;  // marks "automatic" in the table below

}  // namespace

Q_DECLARE_METATYPE(vellumora::rtf::ReadStatus)

class RtfReaderTest : public QObject {
    Q_OBJECT

private slots:
    void readsText_data();
    void readsText();
    void readsWhatWordProcessorsWrite_data();
    void readsWhatWordProcessorsWrite();
    void symbolFontsDrawPicturesAndGreek();
    void keepsHiddenTextMarked();
    void raisesNoteMarksAndKeepsThemRaised();
    void readsAttributes_data();
    void readsAttributes();
    void boundsFontTable();
    void survivesHostileInput_data();
    void survivesHostileInput();
    void refusesOversizedInputAndKeepsDocument();
    void refusesPastEachBoundAndKeepsDocument_data();
    void refusesPastEachBoundAndKeepsDocument();
};

void RtfReaderTest::readsText_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");

    // Paragraphs and white space.
    QTest::newRow("final par adds no paragraph") << QByteArray("{\\rtf1 a\\par b\\par}") << "a\nb";
    QTest::newRow("empty last paragraph kept") << QByteArray("{\\rtf1 a\\par\\par}") << "a\n";
    QTest::newRow("text after last par") << QByteArray("{\\rtf1 a\\par b}") << "a\nb";
    QTest::newRow("empty document") << QByteArray("{\\rtf1}") << "";
    QTest::newRow("raw line breaks ignored") << QByteArray("{\\rtf1 a\r\nb\rc\nd}") << "abcd";
    QTest::newRow("backslash before line break") << QByteArray("{\\rtf1 a\\\nb}") << "a\nb";
    QTest::newRow("one space after control word")
        << QByteArray("{\\rtf1\\b  bold\\b0   x}") << " bold  x";
    QTest::newRow("sect page row end paragraphs")
        << QByteArray("{\\rtf1 a\\sect b\\page c\\row d}") << "a\nb\nc\nd";
    QTest::newRow("cells become tabs")
        << QByteArray("{\\rtf1 a\\cell b\\cell\\row c}") << "a\tb\t\nc";
    QTest::newRow("white space around the opening brace")
        << QByteArray(" \r\n{ \n\\rtf1 a}") << "a";
    QTest::newRow("text after the document") << QByteArray("{\\rtf1 a}\r\n @x\0", 16) << "a";
    QTest::newRow("second document appended")
        << QByteArray("{\\rtf1 a\\par}\nText2:\n{\\rtf1 b}") << "a\nb";
    // Characters.
    QTest::newRow("escaped specials") << QByteArray("{\\rtf1 \\\\\\{\\}}") << "\\{}";
    QTest::newRow("named characters")
        << QByteArray(
               "{\\rtf1 \\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet"
               "\\emspace\\enspace\\~\\-\\_}")
        << QStringLiteral("—–‘’“”•\u2003\u2002\u00A0\u00AD\u2011");
    QTest::newRow("tab and line") << QByteArray("{\\rtf1 a\\tab b\\line c}") << "a\tb\u2028c";
    QTest::newRow("hex by ansicpg") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'c6}") << "Ж";
    QTest::newRow("hex by font charset over ansicpg")
        << QByteArray(
               "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset204 "
               "B;}{\\f2 C;}}\\f1\\'c6\\f0\\'c6\\f2\\'c6}")
        << "ЖÆЖ";
    QTest::newRow("font charset Greek")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset161 G;}}\\f0\\'d9}") << "Ω";
    QTest::newRow("font charset Mac")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset77 M;}}\\f0\\'8e}") << "é";
    QTest::newRow("mac document") << QByteArray("{\\rtf1\\mac \\'8e}") << "é";
    QTest::newRow("pc document") << QByteArray("{\\rtf1\\pc \\'f1\\'f2\\'f3}") << "±≥≤";
    QTest::newRow("unknown ansicpg is 1252") << QByteArray("{\\rtf1\\ansicpg0 \\'e9}") << "é";
    QTest::newRow("double-byte pair")
        << QByteArray("{\\rtf1\\ansicpg932{\\fonttbl{\\f0\\fcharset128 J;}}\\f0\\'82\\'a0}")
        << "あ";
    QTest::newRow("double-byte pair with literal trail byte")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset128 J;}}\\f0\\'82l\\'93\\'fa}") << "Ｍ日";
    QTest::newRow("Chinese pairs")
        << QByteArray("{\\rtf1\\ansicpg936 \\'b2\\'e2\\'ca\\'d4}") << "测试";
    QTest::newRow("unicode with hex fallback") << QByteArray("{\\rtf1\\uc1\\u233\\'e9 x}") << "é x";
    QTest::newRow("uc2 skips two") << QByteArray("{\\rtf1\\uc2\\u233 abc}") << "éc";
    QTest::newRow("uc0 skips none") << QByteArray("{\\rtf1\\uc0\\u233 ab}") << "éab";
    QTest::newRow("uc is per group") << QByteArray("{\\rtf1{\\uc2\\u233 ab}\\u233 ab}") << "ééb";
    QTest::newRow("brace ends the skip") << QByteArray("{\\rtf1\\uc3{\\u233}x}") << "éx";
    QTest::newRow("fallback that looks like a brace")
        << QByteArray("{\\rtf1\\u381\\'7d x}") << "Ž x";
    QTest::newRow("negative unicode") << QByteArray("{\\rtf1\\u-3913?}") << "\uF0B7";
    QTest::newRow("unicode above 32767") << QByteArray("{\\rtf1\\u61623?}") << "\uF0B7";
    QTest::newRow("zero-width no-break space is text")
        << QByteArray("{\\rtf1 x\\u-257?a\\u65279?}") << "x\uFEFFa\uFEFF";
    QTest::newRow("surrogate pair") << QByteArray("{\\rtf1\\u-10179?\\u-8704?}") << "😀";
    QTest::newRow("surrogate pair across groups")
        << QByteArray("{\\rtf1{\\uc1\\u55357 ?}{\\uc1\\u56832 ?}}") << "😀";
    QTest::newRow("lone surrogate replaced")
        << QByteArray("{\\rtf1\\u55357?x\\u56832?}") << "\uFFFDx\uFFFD";
    QTest::newRow("fallback formatting word is obeyed")
        << QByteArray("{\\rtf1\\u233\\par x}") << "é\nx";
    // Destinations.
    QTest::newRow("skipped destinations")
        << QByteArray(
               "{\\rtf1{\\*\\unknown junk}{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}"
               "{\\header H}{\\footer F}{\\nonshppict{\\pict 0a0b}}{\\object O}"
               "{\\*\\themedata 00}{\\*\\listtable L}a}")
        << "a";
    QTest::newRow("field keeps its result")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt{\\ul link}}}}")
        << "link";
    QTest::newRow("upr uses its unicode part")
        << QByteArray("{\\rtf1{\\upr{\\'b2\\'e2}{\\*\\ud{\\uc2\\u27979\\'b2\\'e2}}}}") << "测";
    QTest::newRow("list text kept") << QByteArray("{\\rtf1{\\listtext 1.\\tab}Item}") << "1.\tItem";
    QTest::newRow("bin skipped by length in skipped group")
        << QByteArray("{\\rtf1 a{\\*\\shprslt\\bin9 }\\par x{}}b\\par}") << "ab";
    QTest::newRow("bin skipped in body") << QByteArray("{\\rtf1 a\\bin3 {{{b}") << "ab";
    QTest::newRow("font table text is not body")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}x}")
        << "x";
    // Not RTF: plain text.
    QTest::newRow("plain UTF-8 text") << QByteArray("h\xc3\xa9llo\r\nworld\n") << "héllo\nworld\n";
    QTest::newRow("plain Windows-1252 text") << QByteArray("h\xe9llo\rw\x80") << "héllo\nw€";
    QTest::newRow("plain text with byte order mark") << QByteArray("\xef\xbb\xbfok") << "ok";
    QTest::newRow("plain text braces kept") << QByteArray("{not rtf}") << "{not rtf}";
}

void RtfReaderTest::readsText() {
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    QCOMPARE(textOf(input), expected);
}

// Each row's input is the least that a real writer's file needs to show the fault it had.
void RtfReaderTest::readsWhatWordProcessorsWrite_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");

    // Symbol and Wingdings fonts draw pictures and Greek where their bytes are Latin letters.
    QTest::newRow("Symbol bullet in a list")
        << QByteArray(
               "{\\rtf1\\ansi{\\fonttbl{\\f3\\fcharset2 Symbol;}}{\\listtext\\f3 "
               "\\'b7\\tab}Item\\par}")
        << "•\tItem";
    QTest::newRow("Symbol bullet in a Japanese document")
        << QByteArray("{\\rtf1\\ansicpg932{\\fonttbl{\\f3\\fcharset2 Symbol;}}\\f3 \\'b7}") << "•";
    QTest::newRow("Greek typed in Symbol, Symbol named without its charset")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Times;}{\\f1 Symbol;}}\\f1 abgW\\f0 ab}") << "αβγΩab";
    QTest::newRow("Wingdings bullets, arrow and tick")
        << QByteArray("{\\rtf1{\\fonttbl{\\f2\\fcharset2 Wingdings;}}\\f2 \\'a7\\'d8v\\'fc}")
        << "▪➢❖✔";
    QTest::newRow("symbol character as Word writes it in Unicode")
        << QByteArray("{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}\\f1\\u-3913\\'b7\\u61623 ?}")
        << "••";
    // Known by name whatever their character set, as Word draws them.
    QTest::newRow("Symbol given the Arabic character set draws its bullet")
        << QByteArray("{\\rtf1\\ansicpg1256{\\fonttbl{\\f1\\fcharset178 Symbol;}}\\f1\\'b7}")
        << "•";
    QTest::newRow("picture fonts by name, Zapf Dingbats read through its table")
        << QByteArray(
               "{\\rtf1{\\fonttbl{\\f1\\fcharset0 Wingdings 2;}{\\f2\\fcharset238 Webdings;}"
               "{\\f3 ITC Zapf Dingbats;}{\\f4\\fcharset0 ZapfDingbats;}}\\f1 a\\f2 a\\f3 l\\f4 n}")
        << "\uF061\uF061●■";
    QTest::newRow("other symbol font keeps its glyph numbers")
        << QByteArray("{\\rtf1{\\fonttbl{\\f1\\fcharset2 Marlett;}}\\f1 a}") << "\uF061";
    QTest::newRow("OpenSymbol bytes are LibreOffice's fallbacks in the code page")
        << QByteArray("{\\rtf1{\\fonttbl{\\f4\\fcharset2 OpenSymbol;}}\\f4\\u8226\\'95\\'95}")
        << "••";
    // \* amid a group's formatting is no destination.
    QTest::newRow("star amid formatting")
        << QByteArray(
               "{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}{\\b0\\*\\cs7\\cf0 The quick brown fox}\\par}")
        << "The quick brown fox";
    // Right-to-left text reads in the charset of the font named after \rtlch.
    QTest::newRow("Arabic in the font given after rtlch")
        << QByteArray(
               "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Times New "
               "Roman;}{\\f28\\fcharset178 "
               "Traditional Arabic;}}\\pard\\plain\\rtlch\\af0\\ltrch "
               "{\\ltrch\\ab\\afs24\\rtlch\\b\\f28 "
               "\\'c7\\'e1\\'e3\\'dd}\\par}")
        << "المف";
    // Bytes read in the code page of the font of their side of the text.
    const QByteArray scripts =
        "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Times;}{\\f1\\fcharset177 David;}"
        "{\\f2\\fcharset178 Arial;}{\\f3\\fcharset128 MS Mincho;}}";
    QTest::newRow("Hebrew in the associated font, Latin font named after it")
        << scripts + "{\\rtlch\\af1\\f0 \\'f9\\'e9 }{\\rtlch\\af1\\f0 \\'e4' \\'e0\\'e3\\'f8}}"
        << "שי ה' אדר";
    QTest::newRow("Arabic with its joiners, back to Latin after ltrch")
        << scripts + "\\rtlch\\af2\\f0 \\'e3\\'9d\\'c7\\'9e\\'e1\\ltrch \\'e9}"
        << QStringLiteral("م\u200Cا\u200Dل\u00E9");
    QTest::newRow("each side in the font af gave after its mark")
        << scripts +
               "\\hich\\af1\\dbch\\af3\\loch\\f0 \\'e9{\\dbch \\'82\\'cd}{\\hich \\'f9}\\loch\\'e9}"
        << "éはשé";
    // Mac code pages and character sets.
    QTest::newRow("Mac Japanese")
        << QByteArray(
               "{\\rtf1\\mac\\ansicpg10001{\\fonttbl\\f0\\fnil\\fcharset78 HiraMinPro-W3;}\\f0 "
               "\\'82\\'cd\\'82\\'b6\\'82\\'df\\'82\\'c9\\par}")
        << "はじめに";
    QTest::newRow("Mac Cyrillic charset")
        << QByteArray("{\\rtf1\\mac{\\fonttbl{\\f0\\fcharset89 R;}}\\f0 \\'8f\\'f0\\'e8}") << "При";
    QTest::newRow("Mac Central European code page")
        << QByteArray("{\\rtf1\\mac\\ansicpg10029 \\'89\\'e4}") << "Čš";
    // Past the group-depth bound, text is still read and skipped groups still end.
    const QByteArray deep(1100, '{');
    QTest::newRow("destinations past the depth bound")
        << "{\\rtf1 " + deep + "a{\\*\\htmltag x}b{\\pict 0a}{\\b c}" + QByteArray(1100, '}') + "d}"
        << "abcd";
    QTest::newRow("destination past the depth bound, groups never closed")
        << "{\\rtf1 " + deep + "a{\\*\\htmltag x}b{{\\fonttbl{\\f0 F;}}c"
        << "abc";
    // Nested tables: the cells' text inside their properties is text.
    QTest::newRow("nested table cells inside their properties")
        << QByteArray(
               "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Times New Roman;}}\\f0 {\\'d3} "
               "\\itap2{\\*\\nesttableprops\\trowd\\cellx3316 \\itap2 "
               "{\\'c1\\'b2}\\nestcell\\nestrow}"
               "\\itap1 x\\cell\\row}")
        << "У БІ\t\nx\t";
    QTest::newRow("text for readers without nested tables is skipped")
        << QByteArray("{\\rtf1 a\\nestcell{\\nonesttables b}c}") << "a\tc";
    // Footnotes: the mark shows the note's number, the notes follow the body.
    QTest::newRow("footnote")
        << QByteArray(
               "{\\rtf1\\ansi Text{\\super\\chftn{\\footnote\\pard\\plain{\\super\\chftn} The "
               "note.}} more.\\par}")
        << "Text1 more.\n1 The note.";
    QTest::newRow("footnotes of several paragraphs, body without a last par")
        << QByteArray(
               "{\\rtf1 A{\\chftn{\\footnote{\\chftn} One.\\par Two.}}, "
               "B{\\chftn{\\footnote\\plain "
               "Three.}}}")
        << "A1, B2\n1 One.\nTwo.\nThree.";
}

void RtfReaderTest::readsWhatWordProcessorsWrite() {
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    QCOMPARE(textOf(input), expected);
}

void RtfReaderTest::symbolFontsDrawPicturesAndGreek() {
    for (int byte = 0x21; byte <= 0xFE; ++byte) {
        const auto wingding =
            symbolCharacter(SymbolGlyphs::Wingdings, static_cast<unsigned char>(byte));
        const auto symbol = symbolCharacter(SymbolGlyphs::Symbol, static_cast<unsigned char>(byte));
        const auto dingbat =
            symbolCharacter(SymbolGlyphs::ZapfDingbats, static_cast<unsigned char>(byte));
        // A byte the font leaves empty keeps its glyph number, U+F000 + byte.
        for (const char32_t c : {wingding, symbol, dingbat}) {
            QVERIFY2(QChar::isPrint(c) || c == 0xF000u + byte,
                     qPrintable(QString::number(byte, 16)));
        }
        // Wingdings reads as no Latin letter or digit, the Symbol font as Greek where ASCII has
        // letters.
        QVERIFY2(wingding >= 0x100 || !QChar::isLetterOrNumber(wingding),
                 qPrintable(QString::number(byte, 16)));
        if (QChar::isLetter(static_cast<char32_t>(byte)) && byte < 0x80) {
            QCOMPARE(QChar::script(symbol), QChar::Script_Greek);
        }
    }
}

void RtfReaderTest::readsAttributes_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("halfPoints");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<QRgb>("colour");

    const QByteArray head =
        "{\\rtf1\\deff1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Times;}{\\f2{\\*\\panose 0203}Calibri"
        "{\\*\\falt Other};}}{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}";
    QTest::newRow("defaults") << head + "x}"
                              << "Times" << 24 << false << false << false << kNoColour;
    QTest::newRow("all on") << head + "\\f0\\fs36\\b\\i\\ul\\cf1 x}"
                            << "Arial" << 36 << true << true << true << qRgb(255, 0, 0);
    QTest::newRow("switched off") << head + "\\b\\i\\ul\\b0\\i0\\ul0 x}"
                                  << "Times" << 24 << false << false << false << kNoColour;
    QTest::newRow("ulnone") << head + "\\ul\\ulnone x}"
                            << "Times" << 24 << false << false << false << kNoColour;
    QTest::newRow("underline kind") << head + "\\uldb x}"
                                    << "Times" << 24 << false << false << true << kNoColour;
    QTest::newRow("underline colour is no underline")
        << head + "\\ulc1 x}"
        << "Times" << 24 << false << false << false << kNoColour;
    QTest::newRow("group restores") << head + "{\\b\\f0\\cf2 a}x}"
                                    << "Times" << 24 << false << false << false << kNoColour;
    QTest::newRow("plain resets") << head + "\\f0\\fs40\\b\\i\\ul\\cf1\\plain x}"
                                  << "Times" << 24 << false << false << false << kNoColour;
    QTest::newRow("pard keeps character format")
        << head + "\\b\\pard x}"
        << "Times" << 24 << true << false << false << kNoColour;
    QTest::newRow("second colour") << head + "\\cf2 x}"
                                   << "Times" << 24 << false << false << false << qRgb(0, 128, 0);
    QTest::newRow("cf0 is automatic") << head + "\\cf1\\cf0 x}"
                                      << "Times" << 24 << false << false << false << kNoColour;
    QTest::newRow("colour beyond table") << head + "\\cf9 x}"
                                         << "Times" << 24 << false << false << false << kNoColour;
    QTest::newRow("unknown font is deff") << head + "\\f7 x}"
                                          << "Times" << 24 << false << false << false << kNoColour;
    QTest::newRow("panose and falt dropped")
        << head + "\\f2 x}"
        << "Calibri" << 24 << false << false << false << kNoColour;
    QTest::newRow("fs without number") << head + "\\fs40\\fs x}"
                                       << "Times" << 24 << false << false << false << kNoColour;
    QTest::newRow("fs clamped") << head + "\\fs99999999999 x}"
                                << "Times" << 3276 << false << false << false << kNoColour;
    QTest::newRow("font table without entry groups")
        << QByteArray("{\\rtf1{\\fonttbl\\f0\\fswiss Helvetica;\\f1\\fnil Menlo;}\\f1 x}")
        << "Menlo" << 24 << false << false << false << kNoColour;
    QTest::newRow("font name in its code page")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset128 \\'82\\'6c\\'82\\'72;}}\\f0 x}")
        << "ＭＳ" << 24 << false << false << false << kNoColour;
    QTest::newRow("font name in unicode")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0{\\uc1\\u23435 ?}{\\uc1\\u20307 ?};}}\\f0 x}")
        << "宋体" << 24 << false << false << false << kNoColour;
    QTest::newRow("size of double-byte text")
        << head + "{\\fs20\\hich\\dbch\\afs30\\i\\dbch a}{\\fs20\\dbch\\afs30\\loch x}}"
        << "Times" << 20 << false << false << false << kNoColour;
    QTest::newRow("complex-script size is not double-byte size")
        << head + "\\fs20\\dbch\\rtlch\\afs30\\ltrch\\dbch x}"
        << "Times" << 20 << false << false << false << kNoColour;
    QTest::newRow("right-to-left text takes associated properties")
        << head + "\\fs20\\af0\\afs30\\ab\\ai\\rtlch x}"
        << "Arial" << 30 << true << true << false << kNoColour;
    QTest::newRow("left-to-right text ignores associated properties")
        << head + "\\rtlch\\fs20\\af0\\afs30\\ab\\ai\\ltrch x}"
        << "Times" << 20 << false << false << false << kNoColour;
    QTest::newRow("double-byte size") << head + "\\fs20\\dbch\\afs30 x}"
                                      << "Times" << 30 << false << false << false << kNoColour;
    QTest::newRow("no font table")
        << QByteArray("{\\rtf1\\cf1\\fs20 x}") << "" << 20 << false << false << false << kNoColour;
}

void RtfReaderTest::readsAttributes() {
    QFETCH(QByteArray, input);
    QTextDocument document;
    QCOMPARE(readDocument(input, document), ReadStatus::Loaded);
    QCOMPARE(document.toPlainText().right(1), QStringLiteral("x"));

    Attributes expected;
    QFETCH(QString, family);
    expected.family = family;
    QFETCH(int, halfPoints);
    expected.halfPoints = halfPoints;
    QFETCH(bool, bold);
    expected.bold = bold;
    QFETCH(bool, italic);
    expected.italic = italic;
    QFETCH(bool, underline);
    expected.underline = underline;
    QFETCH(QRgb, colour);
    if (colour != kNoColour) {
        expected.colour = colour & 0xFFFFFF;
    }
    const Attributes actual = attributesOf(formatAt(document, u'x'));
    QVERIFY2(actual == expected, qPrintable(describe(actual) + " != " + describe(expected)));
}

// Hidden text stays in the document, marked, so that a save keeps it; a
// hidden paragraph mark stays as a visible end of its paragraph.
void RtfReaderTest::keepsHiddenTextMarked() {
    QTextDocument document;
    QCOMPARE(readDocument("{\\rtf1 a{\\v hidden}b\\v c\\par\\v0 d{\\*\\footnote\\v n}}", document),
             ReadStatus::Loaded);
    QCOMPARE(rawText(document), QStringLiteral("ahiddenbc\nd\nn"));
    QString hidden;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (isHiddenText(it.fragment().charFormat())) {
                hidden += it.fragment().text();
            }
        }
    }
    QCOMPARE(hidden, QStringLiteral("hiddencn"));
    QVERIFY(!isHiddenText(document.begin().charFormat()));
}

// A note's mark is raised, as writers give it ({\super \chftn}), not read
// as a digit of the text before it ("chapter 11"); \sub lowers; \plain and
// \nosupersub end both; a save and a second read keep them.
void RtfReaderTest::raisesNoteMarksAndKeepsThemRaised() {
    QTextDocument document;
    QCOMPARE(readDocument("{\\rtf1 chapter 1{\\super \\chftn{\\*\\footnote \\chftn  n}}"
                          " H{\\sub 2}O x\\super 2\\nosupersub y\\sub 3\\plain z\\par}",
                          document),
             ReadStatus::Loaded);
    QTextDocument reread;
    QCOMPARE(readDocument(writeRtf(document), reread), ReadStatus::Loaded);
    for (const QTextDocument* read : {&document, &reread}) {
        QString raised, lowered;
        for (auto it = read->begin().begin(); !it.atEnd(); ++it) {
            const auto shift = it.fragment().charFormat().verticalAlignment();
            if (shift == QTextCharFormat::AlignSuperScript)
                raised += it.fragment().text();
            else if (shift == QTextCharFormat::AlignSubScript)
                lowered += it.fragment().text();
        }
        QCOMPARE(read->begin().text(), QStringLiteral("chapter 11 H2O x2y3z"));
        QCOMPARE(raised, QStringLiteral("12"));
        QCOMPARE(lowered, QStringLiteral("23"));
    }
}

void RtfReaderTest::boundsFontTable() {
    QByteArray input = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 10000; ++i) {
        input += "{\\f" + QByteArray::number(i) + " F" + QByteArray::number(i) + ";}";
    }
    input += "{\\f1\\fcharset0 " + QByteArray(10000, 'A') + ";}}\\f1 x\\f9999 y}";
    QTextDocument document;
    QCOMPARE(readDocument(input, document), ReadStatus::Loaded);
    QCOMPARE(document.toPlainText(), QStringLiteral("xy"));
    const QString longName = formatAt(document, u'x').fontFamilies().toStringList().value(0);
    QVERIFY(longName.startsWith(QStringLiteral("AAAA")));
    QVERIFY(longName.size() <= 256);
    // Fonts past the table's bound are not kept: the text falls back to the default font.
    QCOMPARE(formatAt(document, u'y').fontFamilies().toStringList().value(0), QStringLiteral("F0"));
}

void RtfReaderTest::survivesHostileInput_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("deep nesting") << "{\\rtf1 " + QByteArray(200000, '{') + "a" +
                                         QByteArray(200000, '}') + "b}"
                                  << "ab";
    QTest::newRow("deep nesting never closed") << "{\\rtf1 " + QByteArray(200000, '{') + "a"
                                               << "a";
    QTest::newRow("unbalanced braces") << QByteArray("{\\rtf1 a{\\b b{\\i c") << "abc";
    QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 a}}}}") << "a";
    QTest::newRow("NUL bytes") << QByteArray("{\\rtf1 a\0b\\'00c\\u0?d}", 22) << "abcd";
    QTest::newRow("broken hex escapes") << QByteArray("{\\rtf1 a\\'3?b\\'zzc\\'") << "a?bzzc";
    QTest::newRow("over-long control word") << "{\\rtf1 \\" + QByteArray(10000, 'A') + "1 x}"
                                            << "x";
    QTest::newRow("huge numbers") << QByteArray(
                                         "{\\rtf1\\uc99999999999999999999\\u-99999999999 "
                                         "\\u999999999 \\fs-2147483649 \\f99999999999 ok}")
                                  << "ok";
    QTest::newRow("uc clamped to 16") << "{\\rtf1\\uc1000\\u233 " + QByteArray(20, 'z') + "}"
                                      << "é" + QString(4, u'z');
    QTest::newRow("bin longer than file") << QByteArray("{\\rtf1 a\\bin2147483647 xyz") << "a";
    QTest::newRow("bin negative") << QByteArray("{\\rtf1 a\\bin-5 b}") << "ab";
    QTest::newRow("backslash at end") << QByteArray("{\\rtf1 a\\") << "a";
    QTest::newRow("frame and separator characters")
        << QByteArray("{\\rtf1 a\\u-560?\\u-559?\\u13?\\u10?b\\u8233?c}") << "ab\nc";
    QTest::newRow("star before text") << QByteArray("{\\rtf1{\\* x}y}") << " xy";
}

void RtfReaderTest::survivesHostileInput() {
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    QCOMPARE(textOf(input), expected);
}

void RtfReaderTest::refusesOversizedInputAndKeepsDocument() {
    QTextDocument document;
    document.setPlainText(QStringLiteral("kept"));
    QByteArray input(kMaxInputBytes + 1, ' ');
    input.replace(0, 7, "{\\rtf1 ");
    QCOMPARE(readDocument(input, document), ReadStatus::TooLarge);
    QCOMPARE(document.toPlainText(), QStringLiteral("kept"));
}

namespace {

/// An RTF document of paragraphs, each of runs alternately bold and plain.
QByteArray boldAndPlainRuns(qsizetype paragraphs, qsizetype runsEach, qsizetype extraRuns) {
    QByteArray paragraph = QByteArray("{\\b a}b").repeated(runsEach / 2);
    if (runsEach % 2 != 0) {
        paragraph += "{\\b a}";
    }
    QByteArray rtf = "{\\rtf1 " + (paragraph + "\\par ").repeated(paragraphs - 1) + paragraph;
    return rtf + QByteArray("{\\i c}").repeated(extraRuns) + '}';
}

}  // namespace

// Each bound is met exactly by a file that loads, and passed by one unit in
// a file that is refused without a change to the document.
void RtfReaderTest::refusesPastEachBoundAndKeepsDocument_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<ReadStatus>("expected");

    const QByteArray paragraphs = "{\\rtf1 " + QByteArray("a\\par ").repeated(kMaxParagraphs - 1);
    QTest::newRow("paragraphs at the bound") << paragraphs + "a}" << ReadStatus::Loaded;
    QTest::newRow("paragraphs past the bound")
        << paragraphs + "a\\par a}" << ReadStatus::TooManyParagraphs;
    QTest::newRow("plain-text lines past the bound")
        << QByteArray(kMaxParagraphs, '\n') << ReadStatus::TooManyParagraphs;
    // Footnotes are kept aside while reading and added after the body: they
    // count all the same.
    QTest::newRow("paragraphs in a footnote past the bound")
        << "{\\rtf1 a{\\footnote " + QByteArray("b\\par ").repeated(kMaxParagraphs) + "}}"
        << ReadStatus::TooManyParagraphs;

    constexpr qsizetype kRunsEach = 2000;
    const qsizetype paragraphsOfRuns = kMaxRuns / kRunsEach;
    QTest::newRow("runs at the bound")
        << boldAndPlainRuns(paragraphsOfRuns, kRunsEach, 0) << ReadStatus::Loaded;
    QTest::newRow("runs past the bound")
        << boldAndPlainRuns(paragraphsOfRuns, kRunsEach, 1) << ReadStatus::TooManyRuns;

    QTest::newRow("runs in a paragraph at the bound")
        << boldAndPlainRuns(1, kMaxRunsInAParagraph, 0) << ReadStatus::Loaded;
    QTest::newRow("runs in a paragraph past the bound")
        << boldAndPlainRuns(1, kMaxRunsInAParagraph, 1) << ReadStatus::ParagraphTooComplex;

    // A paragraph's length counts across its runs.
    const QByteArray half = QByteArray("a ").repeated(kMaxParagraphLength / 4);
    QTest::newRow("paragraph length at the bound")
        << "{\\rtf1 " + half + "{\\b " + half + "}}" << ReadStatus::Loaded;
    QTest::newRow("paragraph length past the bound")
        << "{\\rtf1 " + half + "{\\b " + half + "a}}" << ReadStatus::ParagraphTooLong;

    // So does a word's; ideographs need no spaces between them.
    const QByteArray halfWord(kMaxWordLength / 2, 'a');
    QTest::newRow("word at the bound")
        << "{\\rtf1 " + halfWord + "{\\b " + halfWord + "} b}" << ReadStatus::Loaded;
    QTest::newRow("word past the bound")
        << "{\\rtf1 " + halfWord + "{\\b " + halfWord + "a} b}" << ReadStatus::WordTooLong;
    // A character past U+FFFF is two units of the word, which the reader
    // takes one at a time.
    QTest::newRow("word of surrogate pairs past the bound")
        << "{\\rtf1 a \\uc0" + QByteArray("\\u-10187 \\u-9216 ").repeated(kMaxWordLength / 2 + 1) +
               "}"
        << ReadStatus::WordTooLong;
    QTest::newRow("ideographs past the word bound")
        << "{\\rtf1 a\\uc0" + QByteArray("\\u20013 ").repeated(kMaxWordLength + 1) + "}"
        << ReadStatus::Loaded;
}

void RtfReaderTest::refusesPastEachBoundAndKeepsDocument() {
    QFETCH(QByteArray, input);
    QFETCH(ReadStatus, expected);
    QTextDocument document;
    document.setPlainText(QStringLiteral("kept"));
    QList<int> reported;
    QCOMPARE(readDocument(input, document, [&](int percent) { reported << percent; }), expected);
    if (expected == ReadStatus::Loaded) {
        QVERIFY(document.toPlainText().startsWith(u'a'));
        QCOMPARE(reported.last(), 100);
    } else {
        QCOMPARE(document.toPlainText(), QStringLiteral("kept"));
    }
    QVERIFY(std::is_sorted(reported.begin(), reported.end()));
}

QTEST_MAIN(RtfReaderTest)
#include "tst_rtfreader.moc"
