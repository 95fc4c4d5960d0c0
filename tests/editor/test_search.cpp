#include "editor/documentassembly.h"
#include "editor/textsearch.h"
#include "store/answerstore.h"

#include <QTest>

using namespace vellumora;
using editor::searchForward;

class SearchTest : public QObject {
    Q_OBJECT

private slots:
    void search_data();
    void search();
    void overlappingMatchesAreFoundInTurn();
    void compiledDocumentPositions();
};

void SearchTest::search_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("expected");  // -1: not found

    QTest::newRow("first occurrence") << "one two two"
                                      << "two" << 0 << 4;
    QTest::newRow("from start on") << "one two two"
                                   << "two" << 5 << 8;
    QTest::newRow("match at start itself") << "one two two"
                                           << "two" << 8 << 8;
    QTest::newRow("case ignored") << "High SCHOOL days"
                                  << "school" << 0 << 5;
    QTest::newRow("needle in upper case") << "a school"
                                          << "SCHOOL" << 0 << 2;
    QTest::newRow("accented letters")
        << QStringLiteral(u"CAFÉ au lait") << QStringLiteral(u"café") << 0 << 0;
    QTest::newRow("none left") << "one two"
                               << "two" << 5 << -1;
    QTest::newRow("absent") << "one two"
                            << "three" << 0 << -1;
    QTest::newRow("needle longer than text") << "ab"
                                             << "abc" << 0 << -1;
    QTest::newRow("across a line break") << "ab\ncd"
                                         << "b\nc" << 0 << 1;
    QTest::newRow("start beyond the end") << "abc"
                                          << "c" << 7 << -1;
    QTest::newRow("empty needle at start") << "abc"
                                           << "" << 0 << 0;
    QTest::newRow("empty needle mid-text") << "abc"
                                           << "" << 2 << 2;
    QTest::newRow("empty needle after the last character") << "abc"
                                                           << "" << 3 << 3;
    QTest::newRow("empty needle further on") << "abc"
                                             << "" << 4 << -1;
    QTest::newRow("empty needle, empty text") << ""
                                              << "" << 0 << -1;
    QTest::newRow("empty text") << ""
                                << "a" << 0 << -1;
}

void SearchTest::search() {
    QFETCH(QString, text);
    QFETCH(QString, needle);
    QFETCH(int, start);
    QFETCH(int, expected);
    const std::optional<qsizetype> found = searchForward(text, needle, start);
    QCOMPARE(found.has_value() ? int(*found) : -1, expected);
}

// Find Next starts one character beyond the start of the current match.
void SearchTest::overlappingMatchesAreFoundInTurn() {
    const QString text = QStringLiteral("aaaa");
    QList<qsizetype> found;
    std::optional<qsizetype> at = searchForward(text, u"aa", 0);
    while (at) {
        found.append(*at);
        at = searchForward(text, u"aa", editor::findNextStart(*at));
    }
    QCOMPARE(found, (QList<qsizetype>{0, 1, 2}));
}

// With line breaks of two characters, "school" stands at 358 and "SCHOOL" of
// the second heading at 701; the editor counts one character per break.
void SearchTest::compiledDocumentPositions() {
    const QString crlf = editor::compileDocument(AnswerStore());
    const std::optional<qsizetype> first = searchForward(crlf, u"school", 0);
    QCOMPARE(first.value_or(-1), 358);
    QCOMPARE(searchForward(crlf, u"school", editor::findNextStart(*first)).value_or(-1), 701);

    QString single = crlf;
    single.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const qsizetype breaksBefore358 = crlf.left(358).count(u"\r\n");
    const std::optional<qsizetype> inSingle = searchForward(single, u"school", 0);
    QCOMPARE(inSingle.value_or(-1), 358 - breaksBefore358);
    QCOMPARE(single.mid(*inSingle, 6), QStringLiteral("school"));
}

QTEST_APPLESS_MAIN(SearchTest)
#include "test_search.moc"
