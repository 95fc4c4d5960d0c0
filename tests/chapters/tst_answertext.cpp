// Line breaks between the answer boxes ("\n") and the store (CR LF).

#include "chapters/answertext.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QTextDocument>

using namespace vellumora;

class AnswerTextTest : public QObject {
    Q_OBJECT

private slots:
    void toBox_data();
    void toBox();
    void toStore_data();
    void toStore();
    void storedAnswerSurvivesABox_data();
    void storedAnswerSurvivesABox();
    void lineBreaksTypedInABoxReachTheStoreAsCrLf();
};

void AnswerTextTest::toBox_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("box");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("one line") << "Cowboy"
                              << "Cowboy";
    QTest::newRow("CR LF") << "a\r\nb"
                           << "a\nb";
    QTest::newRow("blank lines") << "a\r\n\r\nb\r\n"
                                 << "a\n\nb\n";
    QTest::newRow("lone LF") << "a\nb"
                             << "a\nb";
    QTest::newRow("lone CR") << "a\rb"
                             << "a\nb";
    QTest::newRow("LF CR is two breaks") << "a\n\rb"
                                         << "a\n\nb";
}

void AnswerTextTest::toBox() {
    QFETCH(QString, stored);
    QFETCH(QString, box);
    QCOMPARE(answertext::toBox(stored), box);
}

void AnswerTextTest::toStore_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("stored");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("one blank") << " "
                               << " ";
    QTest::newRow("LF") << "a\nb"
                        << "a\r\nb";
    QTest::newRow("trailing LF") << "a\n"
                                 << "a\r\n";
    QTest::newRow("paragraph separator") << QString::fromUtf16(u"a\u2029b") << "a\r\nb";
    QTest::newRow("line separator") << QString::fromUtf16(u"a\u2028b") << "a\r\nb";
    QTest::newRow("no-break space kept")
        << QString::fromUtf16(u"a\u00a0b") << QString::fromUtf16(u"a\u00a0b");
    QTest::newRow("quotes and commas kept") << "\"x\", y"
                                            << "\"x\", y";
}

void AnswerTextTest::toStore() {
    QFETCH(QString, box);
    QFETCH(QString, stored);
    QCOMPARE(answertext::toStore(box), stored);
}

void AnswerTextTest::storedAnswerSurvivesABox_data() {
    QTest::addColumn<QString>("stored");
    QTest::newRow("empty") << "";
    QTest::newRow("several lines") << "First line\r\nSecond line\r\n\r\nFourth";
    QTest::newRow("ends with a break") << "Line\r\n";
    QTest::newRow("only a break") << "\r\n";
    QTest::newRow("no-break space and tab") << QString::fromUtf16(u"a\u00a0b\tc");
    QTest::newRow("non-Latin") << QString::fromUtf16(u"Gro\u00dfmutter \u4f60\u597d \U0001F600");
}

// What a page does on load and save: the box's raw text, not its plain text,
// which would turn a no-break space into a blank.
void AnswerTextTest::storedAnswerSurvivesABox() {
    QFETCH(QString, stored);
    QPlainTextEdit box;
    box.setPlainText(answertext::toBox(stored));
    QCOMPARE(answertext::toStore(box.document()->toRawText()), stored);
}

void AnswerTextTest::lineBreaksTypedInABoxReachTheStoreAsCrLf() {
    QPlainTextEdit box;
    QTest::keyClicks(&box, "one");
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClicks(&box, "two");
    QTest::keyClick(&box, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&box, "three");
    QCOMPARE(answertext::toStore(box.document()->toRawText()), "one\r\ntwo\r\nthree");
}

QTEST_MAIN(AnswerTextTest)
#include "tst_answertext.moc"
