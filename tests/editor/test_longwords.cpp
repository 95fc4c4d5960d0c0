#include "textlayout/longwords.h"

#include <QAbstractTextDocumentLayout>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using namespace vellumora;
using textlayout::kLongestWordWrappedAtWords;

class LongWordsTest : public QObject {
    Q_OBJECT

private slots:
    void documentWrapsAnywhereOnlyWhileItHoldsALongWord();
};

namespace {

QTextOption::WrapMode wrapOf(const QTextDocument& document) {
    return document.defaultTextOption().wrapMode();
}

}  // namespace

// A long word comes and goes by typing, pasting and deleting anywhere in the
// document; one that a typed space splits is gone too. Ideographs break
// between any two of them, and text of them is no word.
void LongWordsTest::documentWrapsAnywhereOnlyWhileItHoldsALongWord() {
    QTextDocument document;
    document.documentLayout();  // a document tells of changes only to a layout
    document.setPlainText(QStringLiteral("Dear family,\nwe lived by the river. "));
    textlayout::keepLongWordsCheap(document);
    QCOMPARE(wrapOf(document), QTextOption::WrapAtWordBoundaryOrAnywhere);

    const QString word(kLongestWordWrappedAtWords, u'x');
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(word);
    QCOMPARE(wrapOf(document), QTextOption::WrapAtWordBoundaryOrAnywhere);
    cursor.insertText(QStringLiteral("y"));
    QCOMPARE(wrapOf(document), QTextOption::WrapAnywhere);

    cursor.setPosition(document.characterCount() - 1 - kLongestWordWrappedAtWords / 2);
    cursor.insertText(QStringLiteral(" "));
    QCOMPARE(wrapOf(document), QTextOption::WrapAtWordBoundaryOrAnywhere);

    cursor.deletePreviousChar();
    QCOMPARE(wrapOf(document), QTextOption::WrapAnywhere);
    cursor.select(QTextCursor::BlockUnderCursor);
    cursor.removeSelectedText();
    QCOMPARE(wrapOf(document), QTextOption::WrapAtWordBoundaryOrAnywhere);
    QCOMPARE(document.toPlainText(), QStringLiteral("Dear family,"));

    cursor.insertText(QString(kLongestWordWrappedAtWords * 2, QChar(0x4E2D)));
    QCOMPARE(wrapOf(document), QTextOption::WrapAtWordBoundaryOrAnywhere);
}

QTEST_MAIN(LongWordsTest)
#include "test_longwords.moc"
