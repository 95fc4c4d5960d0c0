// The twelve chapter menus, walked from the main menu, and their marks.

#include "chapters/chaptermenu.h"
#include "chaptertesting.h"
#include "shell/mainmenu.h"
#include "shell/units.h"
#include "store/answerstore.h"
#include "store/catalogue.h"
#include "store/datafile.h"

#include <QPlainTextEdit>
#include <QTemporaryDir>

using namespace vellumora;
using namespace vellumora::test;

namespace {

using catalogue::ChapterId;

void addMenuRows() {
    QTest::addColumn<ChapterId>("chapter");
    for (const catalogue::Chapter& chapter : catalogue::chapters())
        QTest::newRow(chapter.menu) << chapter.id;
}

QString keyOf(const catalogue::Question& question) {
    return catalogue::menuControlKey(question);
}

}  // namespace

Q_DECLARE_METATYPE(vellumora::catalogue::ChapterId)

class ChapterMenusTest : public QObject {
    Q_OBJECT

private slots:
    void everyMenuHasARowPerQuestion_data() { addMenuRows(); }
    void everyMenuHasARowPerQuestion();
    void everyRowOpensItsPageByLabelSquareAndTick_data() { addMenuRows(); }
    void everyRowOpensItsPageByLabelSquareAndTick();
    void returnToMainFromAFreshMenu();
    void closeBoxAsksTheExitQuestion_data();
    void closeBoxAsksTheExitQuestion();
    void tickFollowsWhatIsStored_data();
    void tickFollowsWhatIsStored();
    void tickStaysWhenTheAnswerIsEmptied();
    void secondPageOpener_data();
    void secondPageOpener();
    void marksFollowADataFileLoadedFromTheMainMenu();
    void mainMenuMarksAChapterOnlyWhenEveryAnswerIsGiven();
};

// A row per question of the chapter, in catalogue order and top to bottom:
// its label in the menu's wording, wrapped to at most three lines, a square
// at its first line and a tick hidden in the same place; Return below the
// rows at the right. Tab runs through label and square row by row, Return,
// then the ticks.
void ChapterMenusTest::everyMenuHasARowPerQuestion() {
    QFETCH(ChapterId, chapter);
    const catalogue::Chapter& expected = catalogue::chapter(chapter);
    Harness h;
    QWidget* screen = h.openChapterMenu(chapter);
    QVERIFY(screen);
    QCOMPARE(screen, h.screens().find(chapter));
    QCOMPARE(screen->objectName(), QString::fromLatin1(expected.menu));
    QVERIFY(screen->isVisible());
    QVERIFY(!h.screens().find(FixedScreen::MainMenu)->isVisible());
    QCOMPARE(screen->windowTitle(), QString::fromLatin1(expected.menuCaption));

    int previousBottom = -1;
    QStringList tabOrder, marks;
    for (const catalogue::Question& question : catalogue::questionsOf(expected)) {
        const QString key = keyOf(question);
        auto* label = control<QLabel>(screen, QStringLiteral("lbl") + key);
        auto* square = control<QAbstractButton>(screen, QStringLiteral("cmd") + key);
        auto* tick = control<QAbstractButton>(screen, QStringLiteral("cmd") + key + u'2');
        QVERIFY2(label && square && tick, qPrintable(key));
        QCOMPARE(label->text(), catalogue::menuWording(question));
        QVERIFY2(showsAllItsText(label), qPrintable(key));
        QVERIFY2(label->height() <= 3 * label->fontMetrics().lineSpacing() + 2, qPrintable(key));
        QCOMPARE(label->x(), px(480));
        QCOMPARE(square->geometry(),
                 QRect(pxPoint(120, 0) + QPoint(0, label->y()), pxSize(255, 255)));
        QCOMPARE(tick->geometry(), square->geometry());
        QVERIFY(square->isVisible());
        QVERIFY(!tick->isVisible());
        QVERIFY(square->text().isEmpty() && tick->text().isEmpty());
        QVERIFY(!tick->icon().isNull());
        if (previousBottom < 0)
            QCOMPARE(label->y(), px(120));
        else
            QVERIFY2(label->y() > previousBottom, qPrintable(key));
        previousBottom = std::max(label->geometry().bottom(), square->geometry().bottom());
        QVERIFY2(screen->rect().contains(label->geometry()), qPrintable(key));
        tabOrder << label->objectName() << square->objectName();
        marks << tick->objectName();
    }

    auto* back = control<QAbstractButton>(screen, QStringLiteral("cmdReturn"));
    QVERIFY(back);
    QCOMPARE(back->text(), QStringLiteral("&Return to Main"));
    QCOMPARE(back->size(), pxSize(1695, 495));
    QVERIFY(back->y() > previousBottom);
    QVERIFY(back->x() > screen->width() / 2);
    QVERIFY(screen->rect().contains(back->geometry()));

    tabOrder << back->objectName() << marks;
    QCOMPARE(focusChainAmong(screen, tabOrder), tabOrder);
    QVERIFY(h.dialogs.requests().isEmpty());
}

// Label, plain square and tick of every row lead to the page that holds its
// question, and the page's Return leads back.
void ChapterMenusTest::everyRowOpensItsPageByLabelSquareAndTick() {
    QFETCH(ChapterId, chapter);
    Harness h;
    QWidget* screen = h.openChapterMenu(chapter);
    const auto questions = catalogue::questionsOf(catalogue::chapter(chapter));
    const auto opensItsPage = [&](const catalogue::Question& question, const QString& name) {
        click(control(screen, name));
        QWidget* opened = h.screens().activeScreen();
        if (!opened || opened != h.screens().find(question.page) || screen->isVisible())
            return false;
        click(control(opened, QStringLiteral("cmdReturn")));
        return h.screens().activeScreen() == screen;
    };
    for (const catalogue::Question& question : questions) {
        const QString key = keyOf(question);
        QVERIFY2(opensItsPage(question, QStringLiteral("lbl") + key), qPrintable(key));
        QVERIFY2(opensItsPage(question, QStringLiteral("cmd") + key), qPrintable(key));
    }
    for (const catalogue::Question& question : questions)
        h.store().store(catalogue::positionOf(question), QStringLiteral("answered"));
    QVERIFY(opensItsPage(questions.front(), QStringLiteral("lbl") + keyOf(questions.front())));
    for (const catalogue::Question& question : questions) {
        const QString key = keyOf(question);
        QVERIFY2(control(screen, QStringLiteral("cmd") + key + u'2')->isVisible(), qPrintable(key));
        QVERIFY2(!control(screen, QStringLiteral("cmd") + key)->isVisible(), qPrintable(key));
        QVERIFY2(opensItsPage(question, QStringLiteral("cmd") + key + u'2'), qPrintable(key));
    }
    QVERIFY(h.dialogs.requests().isEmpty());
}

void ChapterMenusTest::returnToMainFromAFreshMenu() {
    Harness h;
    QWidget* menu = h.fromMainMenu(QStringLiteral("cmdTravel"));
    click(control(menu, QStringLiteral("cmdReturn")));
    QCOMPARE(h.activeName(), QStringLiteral("frmMain"));
    QVERIFY(!menu->isVisible());
    QVERIFY(h.dialogs.requests().isEmpty());
}

void ChapterMenusTest::closeBoxAsksTheExitQuestion_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("No keeps the menu") << false;
    QTest::newRow("Yes ends the program") << true;
}

void ChapterMenusTest::closeBoxAsksTheExitQuestion() {
    QFETCH(bool, yes);
    Harness h;
    QWidget* menu = h.fromMainMenu(QStringLiteral("cmdLife"));
    h.dialogs.answerMessage(yes ? MessageButton::Yes : MessageButton::No);
    menu->close();
    QCOMPARE(h.dialogs.messages().size(), 1);
    test::compareWithExitQuestion(h.dialogs.messages().first());
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(h.ended, yes);
    QCOMPARE(menu->isVisible(), !yes);
}

void ChapterMenusTest::tickFollowsWhatIsStored_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("leave");  // "save", "yes" or "no"
    QTest::addColumn<bool>("ticked");
    QTest::newRow("saved") << "A fireman"
                           << "save" << true;
    QTest::newRow("Yes when leaving") << "A fireman"
                                      << "yes" << true;
    QTest::newRow("No when leaving") << "A fireman"
                                     << "no" << false;
    QTest::newRow("a single blank") << " "
                                    << "save" << true;
    QTest::newRow("a line break alone") << "\n"
                                        << "save" << true;
    QTest::newRow("nothing typed") << ""
                                   << "save" << false;
}

void ChapterMenusTest::tickFollowsWhatIsStored() {
    QFETCH(QString, typed);
    QFETCH(QString, leave);
    QFETCH(bool, ticked);
    Harness h;
    QWidget* menu = h.fromMainMenu(QStringLiteral("cmdChildhood"));
    click(control(menu, QStringLiteral("cmdGrowUp")));
    QWidget* page = h.screens().activeScreen();
    auto* box = control<QPlainTextEdit>(page, QStringLiteral("txtGrowUp"));
    typeInto(box, typed);
    if (leave == u"save")
        click(control(page, QStringLiteral("cmdSave")));
    else if (!typed.isEmpty())
        h.dialogs.answerMessage(leave == u"yes" ? MessageButton::Yes : MessageButton::No);
    click(control(page, QStringLiteral("cmdReturn")));
    QCOMPARE(h.activeName(), QStringLiteral("frmChildMain"));
    QCOMPARE(control(menu, QStringLiteral("cmdGrowUp2"))->isVisible(), ticked);
    QCOMPARE(control(menu, QStringLiteral("cmdGrowUp"))->isVisible(), !ticked);
    QCOMPARE(control(menu, QStringLiteral("cmdToys2"))->isVisible(), false);
    QVERIFY(h.dialogs.allAnswersUsed());
}

void ChapterMenusTest::tickStaysWhenTheAnswerIsEmptied() {
    Harness h;
    QWidget* menu = h.fromMainMenu(QStringLiteral("cmdFirstCar"));
    const auto answerOnPage = [&](const QString& text) {
        click(control(menu, QStringLiteral("lblLike")));
        QWidget* page = h.screens().activeScreen();
        control<QPlainTextEdit>(page, QStringLiteral("txtGetting"))->setPlainText(text);
        click(control(page, QStringLiteral("cmdSave")));
        click(control(page, QStringLiteral("cmdReturn")));
    };
    answerOnPage(QStringLiteral("Exciting"));
    QVERIFY(control(menu, QStringLiteral("cmdLike2"))->isVisible());
    answerOnPage(QString());
    QCOMPARE(h.store().answer(QStringLiteral("FirstCar.Getting")), QString());
    QCOMPARE(h.activeName(), QStringLiteral("frmCarMain"));
    QVERIFY(control(menu, QStringLiteral("cmdLike2"))->isVisible());
    QVERIFY(!control(menu, QStringLiteral("cmdLike"))->isVisible());
}

void ChapterMenusTest::secondPageOpener_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("secondPage");  // empty: the menu offers none
    QTest::newRow("frmHighSchMain") << "cmdHighSch"
                                    << "frmHighSch2";
    QTest::newRow("frmMilitaryMain") << "cmdMilitary"
                                     << "frmMilitary2";
    QTest::newRow("frmChildMain offers none") << "cmdChildhood"
                                              << "";
}

void ChapterMenusTest::secondPageOpener() {
    QFETCH(QString, entry);
    QFETCH(QString, secondPage);
    Harness h;
    auto* menu = qobject_cast<ChapterMenu*>(h.fromMainMenu(entry));
    QVERIFY(menu);
    QCOMPARE(menu->frm2(), !secondPage.isEmpty());
    if (secondPage.isEmpty()) {
        QCOMPARE(h.screens().activeScreen(), menu);
        return;
    }
    QCOMPARE(h.activeName(), secondPage);
    QVERIFY(!menu->isVisible());
}

// A tick, once shown, stays even when the loaded file leaves that question
// unanswered.
void ChapterMenusTest::marksFollowADataFileLoadedFromTheMainMenu() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString document = folder.filePath(QStringLiteral("story.rtf"));
    AnswerStore saved;
    saved.store(QStringLiteral("Childhood.Toys"), QStringLiteral("A wooden horse"));
    saved.store(QStringLiteral("Childhood.Parents"), QStringLiteral(" "));
    QString error;
    QVERIFY2(datafile::saveDataFile(document, saved, &error), qPrintable(error));

    Harness h;
    h.store().store(QStringLiteral("Childhood.GrowUp"), QStringLiteral("A pilot"));
    QWidget* menu = h.fromMainMenu(QStringLiteral("cmdChildhood"));
    QVERIFY(control(menu, QStringLiteral("cmdGrowUp2"))->isVisible());
    click(control(menu, QStringLiteral("cmdReturn")));

    h.dialogs.answerMessage(MessageButton::Yes);
    h.dialogs.answerOpenFile(datafile::dataFilePathFor(document));
    click(control(h.screens().find(FixedScreen::MainMenu), QStringLiteral("cmdLoad")));
    QVERIFY(h.dialogs.allAnswersUsed());
    QCOMPARE(h.store().answer(QStringLiteral("Childhood.GrowUp")), QString());

    QCOMPARE(h.fromMainMenu(QStringLiteral("cmdChildhood")), menu);
    for (const char* ticked : {"cmdGrowUp2", "cmdToys2", "cmdParents2"})
        QVERIFY2(control(menu, QLatin1StringView(ticked))->isVisible(), ticked);
    for (const char* plain : {"cmdGames", "cmdLived", "cmdSiblings"})
        QVERIFY2(control(menu, QLatin1StringView(plain))->isVisible(), plain);
}

// Answers typed on the two Childhood pages: the chapter's mark on the main
// menu waits for the last of its ten answers.
void ChapterMenusTest::mainMenuMarksAChapterOnlyWhenEveryAnswerIsGiven() {
    Harness h;
    QWidget* menu = h.fromMainMenu(QStringLiteral("cmdChildhood"));
    const auto answerPage = [&](const char* opener, const QStringList& boxes) {
        click(control(menu, QLatin1StringView(opener)));
        QWidget* page = h.screens().activeScreen();
        for (const QString& box : boxes)
            QTest::keyClicks(control(page, box), QStringLiteral("answer to ") + box);
        click(control(page, QStringLiteral("cmdSave")));
        click(control(page, QStringLiteral("cmdReturn")));
    };
    const auto chapterMarked = [&] {
        click(control(menu, QStringLiteral("cmdReturn")));
        auto* main = h.screens().findAs<MainMenu>(FixedScreen::MainMenu);
        const bool marked = main->markOf(ChapterId::Childhood)->isMarked();
        click(control(main, QStringLiteral("cmdChildhood")));
        return marked;
    };
    answerPage("cmdGrowUp", {"txtGrowUp", "txtToys", "txtGames", "txtHobbies", "txtLived"});
    answerPage("cmdSchool", {"txtSchool", "txtFriends", "txtDifferences", "txtSiblings"});
    QVERIFY(!chapterMarked());
    answerPage("cmdParents", {"txtParents"});
    QVERIFY(chapterMarked());
    QVERIFY(h.dialogs.requests().isEmpty());
}

QTEST_MAIN(ChapterMenusTest)
#include "tst_chaptermenus.moc"
