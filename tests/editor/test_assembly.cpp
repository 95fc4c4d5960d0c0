#include "editor/documentassembly.h"
#include "store/answerstore.h"
#include "store/catalogue.h"

#include <QTest>

using namespace vellumora;

class AssemblyTest : public QObject {
    Q_OBJECT

private slots:
    void emptyStoreGivesTheFixedText();
    void everyQuestionFollowsItsHeadingInCatalogueOrder();
    void answersGoInExactly_data();
    void answersGoInExactly();
    void lastAnswerEndsWithOneLineBreak();
};

void AssemblyTest::emptyStoreGivesTheFixedText() {
    const QString document = editor::compileDocument(AnswerStore());
    QCOMPARE(document.size(), 5571);
    QCOMPARE(document.count(u"\r\n"), 347);
    // No line break other than CR LF.
    QCOMPARE(document.count(u'\r'), 347);
    QCOMPARE(document.count(u'\n'), 347);
    QVERIFY(document.startsWith(
        u"CHILDHOOD:\r\n\r\nWhen you were a child, what did you always want to be when you grew "
        u"up?\r\n\r\n\r\n\r\n"));
    QVERIFY(document.endsWith(u"Any final comments?\r\n\r\n\r\n"));
    QVERIFY(!document.endsWith(u"Any final comments?\r\n\r\n\r\n\r\n"));
}

// Rebuilds the expected text from the catalogue independently of the order
// in which the compiler walks it: each heading must come right before its
// first question, and every question exactly once, in catalogue position.
void AssemblyTest::everyQuestionFollowsItsHeadingInCatalogueOrder() {
    AnswerStore store;
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        store.store(position, QStringLiteral("answer %1").arg(position));
    const QString document = editor::compileDocument(store);

    qsizetype searchFrom = 0;
    for (const catalogue::Chapter& chapter : catalogue::chapters()) {
        const QString heading = QString::fromLatin1(chapter.heading) + QStringLiteral("\r\n\r\n");
        const qsizetype headingAt = document.indexOf(heading, searchFrom);
        QCOMPARE(headingAt, searchFrom);
        searchFrom = headingAt + heading.size();
        for (int p = chapter.firstPosition; p < chapter.firstPosition + chapter.questionCount;
             ++p) {
            const QString entry = QLatin1StringView(catalogue::question(p).text) +
                                  QStringLiteral("\r\n\r\nanswer %1\r\n").arg(p);
            QCOMPARE(document.mid(searchFrom, entry.size()), entry);
            searchFrom += entry.size() + (p == catalogue::kQuestionCount ? 0 : 2);
        }
    }
    QCOMPARE(searchFrom, document.size());
    // Lived before Hobbies in the first chapter, Life.Hobbies before Life.Learn.
    const auto at = [&](const char* slot) {
        return document.indexOf(
            QStringLiteral("answer %1\r\n").arg(catalogue::positionOf(QString::fromLatin1(slot))));
    };
    QVERIFY(at("Childhood.Lived") < at("Childhood.Hobbies"));
    QVERIFY(at("Life.Hobbies") < at("Life.Learn"));
}

void AssemblyTest::answersGoInExactly_data() {
    QTest::addColumn<QString>("answer");
    QTest::newRow("line breaks") << QStringLiteral("first line\r\nsecond line\r\n");
    QTest::newRow("blanks only") << QStringLiteral("   ");
    QTest::newRow("leading and trailing blanks") << QStringLiteral("  kept  ");
    QTest::newRow("quotes and commas") << QStringLiteral("\"Yes,\" she said, \"always.\"");
    QTest::newRow("non-Latin") << QStringLiteral(u"Großmutter — 祖母");
}

void AssemblyTest::answersGoInExactly() {
    QFETCH(QString, answer);
    AnswerStore store;
    store.store(QStringLiteral("Childhood.Toys"), answer);
    const QString document = editor::compileDocument(store);
    const QString toys = QLatin1StringView(catalogue::question(2).text);
    const QString games = QLatin1StringView(catalogue::question(3).text);
    const QString crlf2 = QStringLiteral("\r\n\r\n");
    QVERIFY(document.contains(toys + crlf2 + answer + crlf2 + games + crlf2));
    QCOMPARE(document.size(), 5571 + answer.size());
}

void AssemblyTest::lastAnswerEndsWithOneLineBreak() {
    AnswerStore store;
    store.store(QStringLiteral("Final.Comments"), QStringLiteral("The end."));
    QVERIFY(editor::compileDocument(store).endsWith(u"Any final comments?\r\n\r\nThe end.\r\n"));
    QVERIFY(!editor::compileDocument(store).endsWith(u"\r\n\r\n"));
}

QTEST_APPLESS_MAIN(AssemblyTest)
#include "test_assembly.moc"
