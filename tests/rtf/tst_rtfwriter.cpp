#include "rtf/rtfwriter.h"

#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

using vellumora::rtf::writeRtf;

namespace {

QTextCharFormat runFormat(const QString& family, double points) {
    QTextCharFormat format;
    format.setFontFamilies({family});
    format.setFontPointSize(points);
    return format;
}

/// The text of the single run of a one-paragraph document, as written.
QByteArray writtenRun(const QString& text) {
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("arial"), 12));
    QTextCursor(&document).insertText(text);
    const QByteArray rtf = writeRtf(document);
    const QByteArray start = "\\pard\\plain {\\rtlch\\af0\\afs24\\ltrch\\f0\\fs24 ";
    const qsizetype from = rtf.indexOf(start) + start.size();
    return rtf.mid(from, rtf.indexOf("}\\par\r\n", from) - from);
}

}  // namespace

class RtfWriterTest : public QObject {
    Q_OBJECT

private slots:
    void writesHeaderTablesAndRuns();
    void escapesCharacters_data();
    void escapesCharacters();
    void keepsFontNamesWhole();
    void isPlainAsciiAndDeterministic();
};

void RtfWriterTest::writesHeaderTablesAndRuns() {
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("arial"), 12));
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("Hello "), runFormat(QStringLiteral("arial"), 12));
    QTextCharFormat fancy = runFormat(QStringLiteral("Times New Roman"), 10.5);
    fancy.setFontWeight(QFont::Bold);
    fancy.setFontItalic(true);
    fancy.setFontUnderline(true);
    fancy.setForeground(QColor(255, 0, 0));
    cursor.insertText(QStringLiteral("world"), fancy);
    cursor.insertBlock();
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("again"), fancy);

    QString rtf = QString::fromLatin1(writeRtf(document));
    rtf.replace(QRegularExpression(QStringLiteral("\\\\generator [^;]*;")),
                QStringLiteral("\\generator G;"));
    QCOMPARE(rtf,
             QStringLiteral(
                 "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033\\uc1\r\n"
                 "{\\fonttbl{\\f0\\fnil\\fcharset0 arial;}"
                 "{\\f1\\fnil\\fcharset0 Times New Roman;}}\r\n"
                 "{\\colortbl;\\red255\\green0\\blue0;}\r\n"
                 "{\\*\\generator G;}\r\n"
                 "\\pard\\plain {\\rtlch\\af0\\afs24\\ltrch\\f0\\fs24 Hello }"
                 "{\\rtlch\\af1\\afs21\\ab\\ai\\ltrch\\f1\\fs21\\b\\i\\ul\\cf1 world}\\par\r\n"
                 "\\pard\\plain \\par\r\n"
                 "\\pard\\plain {\\rtlch\\af1\\afs21\\ab\\ai\\ltrch\\f1\\fs21\\b\\i\\ul\\cf1 again}"
                 "\\par\r\n"
                 "}\r\n"));
}

void RtfWriterTest::escapesCharacters_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("printable ASCII as is") << QStringLiteral("Hi? ;-)") << QByteArray("Hi? ;-)");
    QTest::newRow("backslash and braces")
        << QStringLiteral("a\\b{c}") << QByteArray("a\\\\b\\{c\\}");
    QTest::newRow("tab") << QStringLiteral("a\tb") << QByteArray("a\\tab b");
    QTest::newRow("line break") << QStringLiteral("a\u2028b") << QByteArray("a\\line b");
    QTest::newRow("non-breaking space") << QStringLiteral("a\u00A0b") << QByteArray("a\\~b");
    QTest::newRow("hyphens: optional, non-breaking")
        << QStringLiteral("co\u00ADop\u2011era") << QByteArray("co\\-op\\_era");
    QTest::newRow("Latin-1 letter") << QStringLiteral("é") << QByteArray("\\u233\\'e9");
    QTest::newRow("euro from the 0x80 row") << QStringLiteral("€") << QByteArray("\\u8364\\'80");
    QTest::newRow("curly quote") << QStringLiteral("\u2019") << QByteArray("\\u8217\\'92");
    QTest::newRow("Cyrillic has no 1252 byte") << QStringLiteral("Ж") << QByteArray("\\u1046\\'3f");
    QTest::newRow("C1 control has no 1252 byte")
        << QStringLiteral("\u0081") << QByteArray("\\u129\\'3f");
    QTest::newRow("high BMP is negative") << QStringLiteral("\uFF01") << QByteArray("\\u-255\\'3f");
    QTest::newRow("emoji as two units")
        << QStringLiteral("😀") << QByteArray("\\u-10179\\'3f\\u-8704\\'3f");
    QTest::newRow("control character") << QStringLiteral("\u0001") << QByteArray("\\u1\\'01");
}

void RtfWriterTest::escapesCharacters() {
    QFETCH(QString, text);
    QFETCH(QByteArray, written);
    QCOMPARE(writtenRun(text), written);
}

void RtfWriterTest::keepsFontNamesWhole() {
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Odd;Name"), 12));
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("x"), runFormat(QStringLiteral("ＭＳ 明朝"), 12));
    // The foundry that Qt appends to a family name is no part of the name.
    cursor.insertText(QStringLiteral("y"), runFormat(QStringLiteral("URW Bookman [urw]"), 12));
    cursor.insertText(QStringLiteral("z"), runFormat(QStringLiteral("URW Bookman [other]"), 12));
    const QByteArray rtf = writeRtf(document);
    QVERIFY2(rtf.contains("{\\f0\\fnil\\fcharset0 Odd\\u59\\'3bName;}"), rtf.constData());
    QVERIFY2(rtf.contains("{\\f1\\fnil\\fcharset0 \\u-211\\'3f\\u-205\\'3f "
                          "\\u26126\\'3f\\u26397\\'3f;}"),
             rtf.constData());
    QVERIFY2(rtf.contains("{\\f2\\fnil\\fcharset0 URW Bookman;}}"), rtf.constData());
}

void RtfWriterTest::isPlainAsciiAndDeterministic() {
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("Grüße, Ελλάδα, 中文, שלום, 😀\u00A0\u2028\t"));
    QTextCharFormat coloured;
    coloured.setForeground(QColor(1, 2, 3));
    cursor.insertText(QStringLiteral("ü"), coloured);
    const QByteArray first = writeRtf(document);
    QCOMPARE(writeRtf(document), first);
    for (const char c : first) {
        QVERIFY2(static_cast<unsigned char>(c) < 0x80 && (c >= 0x20 || c == '\r' || c == '\n'),
                 qPrintable(QStringLiteral("byte %1").arg(int(static_cast<unsigned char>(c)))));
    }
}

QTEST_MAIN(RtfWriterTest)
#include "tst_rtfwriter.moc"
