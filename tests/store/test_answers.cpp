#include "store/answerstore.h"
#include "store/catalogue.h"

#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

using namespace vellumora;

class AnswersTest : public QObject {
    Q_OBJECT

private slots:
    void catalogueHasEveryQuestionOnceInChapterOrder();
    void chaptersPagesAndQuestionsReferToEachOther();
    void controlNameExceptions();
    void screenWordingsDifferOnlyWhereListed();
    void startUpStates();
    void storingEmptyTextTurnsUnsetIntoText();
    void answeredMeansNotEmpty_data();
    void answeredMeansNotEmpty();
    void setUnsetRestoresStartUpState();
    void chapterCompleteNeedsEverySlot();
    void everyListenerIsToldOfARealChange();
    void replacingAllTellsOnce();
};

void AnswersTest::catalogueHasEveryQuestionOnceInChapterOrder() {
    QCOMPARE(int(catalogue::questions().size()), 81);
    QSet<QString> seen;
    for (int position = 1; position <= 81; ++position) {
        const QString slot = catalogue::slotName(catalogue::question(position));
        QVERIFY2(!seen.contains(slot), qPrintable(slot));
        seen.insert(slot);
        QCOMPARE(catalogue::positionOf(slot), position);
        QCOMPARE(catalogue::positionOf(catalogue::question(position)), position);
    }
    QCOMPARE(catalogue::positionOf(u"Childhood.Lived"), 4);
    QCOMPARE(catalogue::positionOf(u"Childhood.Hobbies"), 5);
    QCOMPARE(catalogue::positionOf(u"Life.Hobbies"), 76);
    QCOMPARE(catalogue::positionOf(u"Life.Learn"), 77);
    QCOMPARE(catalogue::positionOf(u"Nowhere.Nothing"), 0);
    QCOMPARE(QString::fromLatin1(catalogue::question(40).text),
             QStringLiteral("Did you graduate from college?  If yes, when? Did you go through the "
                            "ceremony?  Who was there to watch you?  Do you remember anything "
                            "specific about the ceremony?"));
}

// Every chapter owns the pages that name it and the questions on them, and
// every page holds at least one question.
void AnswersTest::chaptersPagesAndQuestionsReferToEachOther() {
    QCOMPARE(int(catalogue::chapters().size()), catalogue::kChapterCount);
    QCOMPARE(int(catalogue::pages().size()), catalogue::kPageCount);
    int expectedFirst = 1;
    QSet<QString> pageNames;
    QSet<int> pagesWithQuestions;
    for (const catalogue::Chapter& chapter : catalogue::chapters()) {
        QCOMPARE(&catalogue::chapter(chapter.id), &chapter);
        QCOMPARE(chapter.firstPosition, expectedFirst);
        const auto pages = catalogue::pagesOf(chapter);
        QVERIFY2(!pages.empty(), chapter.key);
        for (const catalogue::Page& page : pages) {
            QCOMPARE(page.chapter, chapter.id);
            QCOMPARE(&catalogue::page(page.id), &page);
            pageNames.insert(QString::fromLatin1(page.name));
        }
        for (const catalogue::Question& q : catalogue::questionsOf(chapter)) {
            QCOMPARE(&catalogue::chapterOf(q), &chapter);
            QVERIFY2(
                std::ranges::any_of(pages, [&q](const auto& page) { return page.id == q.page; }),
                q.key);
            QCOMPARE(catalogue::findQuestion(chapter.id, QString::fromLatin1(q.key)), &q);
            pagesWithQuestions.insert(int(q.page));
        }
        expectedFirst += chapter.questionCount;
    }
    QCOMPARE(expectedFirst, catalogue::kQuestionCount + 1);
    QCOMPARE(pageNames.size(), catalogue::kPageCount);
    QCOMPARE(pagesWithQuestions.size(), catalogue::kPageCount);
}

void AnswersTest::controlNameExceptions() {
    const auto keyOf = [](const char* slot) {
        return catalogue::menuControlKey(
            catalogue::question(catalogue::positionOf(QString::fromLatin1(slot))));
    };
    const auto labelOf = [](const char* slot) {
        return catalogue::pageLabelName(
            catalogue::question(catalogue::positionOf(QString::fromLatin1(slot))));
    };
    QCOMPARE(keyOf("FirstCar.Getting"), QStringLiteral("Like"));
    QCOMPARE(keyOf("Volunteering.Volun"), QStringLiteral("Volunteer"));
    QCOMPARE(keyOf("College.WhereWent"), QStringLiteral("WhereWhen"));
    QCOMPARE(keyOf("Childhood.Toys"), QStringLiteral("Toys"));
    QCOMPARE(labelOf("FirstCar.Getting"), QStringLiteral("lblGetting"));
    QCOMPARE(labelOf("Volunteering.Volun"), QStringLiteral("lblVolunteer"));
    QCOMPARE(labelOf("College.WhereWent"), QStringLiteral("lblWhereWhen"));
}

void AnswersTest::screenWordingsDifferOnlyWhereListed() {
    const catalogue::Question& war = catalogue::question(catalogue::positionOf(u"Military.War"));
    QVERIFY(catalogue::menuWording(war).contains(u"Hold old were you?"));
    QVERIFY(catalogue::pageWording(war).contains(u"during your lifetime?"));
    int ownOnMenu = 0, ownOnPage = 0;
    for (const catalogue::Question& question : catalogue::questions()) {
        const QString text = QString::fromLatin1(question.text);
        ownOnMenu += catalogue::menuWording(question) != text;
        ownOnPage += catalogue::pageWording(question) != text;
    }
    QCOMPARE(ownOnMenu, 1);
    QCOMPARE(ownOnPage, 5);
}

void AnswersTest::startUpStates() {
    const AnswerStore store;
    int unset = 0;
    QStringList startEmpty;
    for (int position = 1; position <= 81; ++position) {
        QCOMPARE(store.answer(position), QString());
        QVERIFY(!store.isAnswered(position));
        if (!store.state(position))
            ++unset;
        else
            startEmpty << catalogue::slotName(catalogue::question(position));
    }
    QCOMPARE(unset, 69);
    QCOMPARE(startEmpty,
             QStringList({"Childhood.Parents", "HighSchool.AfterGrad", "FirstCar.Stories",
                          "Volunteering.Skills", "Jobs.Dream", "College.Stories",
                          "Military.Comments", "Wedding.Advice", "Children.Stories", "Travel.Free",
                          "Life.Hobbies", "Final.Comments"}));
}

void AnswersTest::storingEmptyTextTurnsUnsetIntoText() {
    AnswerStore store;
    QVERIFY(!store.state(1));
    store.store(u"Childhood.GrowUp", QString());
    QVERIFY(store.state(1).has_value());
    QVERIFY(!store.isAnswered(1));
}

void AnswersTest::answeredMeansNotEmpty_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("answered");
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("one blank") << QStringLiteral(" ") << true;
    QTest::newRow("line break alone") << QStringLiteral("\r\n") << true;
    QTest::newRow("words") << QStringLiteral("A teacher, of course") << true;
}

void AnswersTest::answeredMeansNotEmpty() {
    QFETCH(QString, text);
    QFETCH(bool, answered);
    AnswerStore store;
    store.store(u"Travel.Here", text);
    QCOMPARE(store.isAnswered(u"Travel.Here"), answered);
    QCOMPARE(store.answer(u"Travel.Here"), text);
}

void AnswersTest::setUnsetRestoresStartUpState() {
    AnswerStore store;
    store.store(1, QStringLiteral("x"));
    store.store(10, QStringLiteral("y"));
    store.setUnset(1);
    store.setUnset(10);
    QVERIFY(!store.state(1));
    QCOMPARE(store.state(10), std::optional<QString>(QString()));
}

void AnswersTest::chapterCompleteNeedsEverySlot() {
    AnswerStore store;
    const catalogue::Chapter& childhood = catalogue::chapters()[0];
    for (int position = 1; position <= 9; ++position)
        store.store(position, QStringLiteral(" "));
    QVERIFY(!store.isChapterComplete(childhood));
    store.store(10, QStringLiteral("strict"));
    QVERIFY(store.isChapterComplete(childhood));
    QVERIFY(!store.isChapterComplete(catalogue::chapters()[1]));
}

// Storing what a slot holds, or unsetting a slot that starts empty and is,
// is no change: nobody is told and the revision stays.
void AnswersTest::everyListenerIsToldOfARealChange() {
    AnswerStore store;
    QSignalSpy first(&store, &AnswerStore::answerChanged);
    QSignalSpy second(&store, &AnswerStore::answerChanged);
    store.store(4, QStringLiteral("By the river"));
    store.store(4, QStringLiteral("By the river"));
    store.setUnset(10);
    QCOMPARE(first.size(), 1);
    QCOMPARE(second.size(), 1);
    QCOMPARE(second.first().first().toInt(), 4);
    QCOMPARE(store.revision(), 1u);
}

// A replacement tells once for all its slots, and only when a slot changed;
// the revision moves as it would for the slots changed one by one.
void AnswersTest::replacingAllTellsOnce() {
    AnswerStore given;
    given.store(1, QStringLiteral("back"));
    given.store(81, QStringLiteral("back too"));
    AnswerStore store;
    store.store(2, QStringLiteral("typed before"));
    QSignalSpy changed(&store, &AnswerStore::answerChanged);
    QSignalSpy replaced(&store, &AnswerStore::answersReplaced);
    const quint64 before = store.revision();
    store.replaceWith(given);
    QCOMPARE(replaced.size(), 1);
    QCOMPARE(changed.size(), 0);
    QCOMPARE(store.revision(), before + 3);
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        QCOMPARE(store.state(position), given.state(position));
    store.replaceWith(given);
    QCOMPARE(replaced.size(), 1);
    QCOMPARE(store.revision(), before + 3);
}

QTEST_GUILESS_MAIN(AnswersTest)
#include "test_answers.moc"
