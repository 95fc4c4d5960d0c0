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

/// A menu as it must be: the entry of the main menu that opens it, and its
/// rows as control keys, a group per page: "A B>page1|C D>page2".
struct ExpectedMenu {
    const char* name;
    const char* caption;
    const char* entry;
    int width, height, labelWidth;
    const char* rows;
};

const ExpectedMenu kMenus[] = {
    {"frmChildMain", "Vellumora - Childhood", "cmdChildhood", 6885, 5295, 6225,
     "GrowUp Toys Games Lived Hobbies>frmChildhood1|"
     "School Differences Friends Siblings Parents>frmChildhood2"},
    {"frmHighSchMain", "Vellumora - High School", "cmdHighSch", 6825, 4470, 6225,
     "GoHighSch Grad Classes AfterSch Clubs>frmHighSch1|Sports Hobbies AfterGrad>frmHighSch2"},
    {"frmCarMain", "Vellumora - First Car", "cmdFirstCar", 6765, 2640, 6225,
     "Car WhenGet Like Length Stories>frmFirstCar"},
    {"frmVolunMain", "Vellumora - Volunteering", "cmdVolunteer", 6765, 3045, 6225,
     "Volunteer WWW Skills Like Wanted>frmVolun1"},
    {"frmJobsMain", "Vellumora - Jobs", "cmdJobs", 6525, 2565, 5865,
     "FirstJob Best Worst Want Dream>frmJobs"},
    {"frmCollegeMain", "Vellumora - College", "cmdCollege", 6810, 5520, 6225,
     "WhereWhen Scholarship Major Favorite>frmCollege1|Best Least Graduate>frmCollege2|"
     "NotGrad Orgs Sports Stories>frmCollege3"},
    {"frmMilitaryMain", "Vellumora - Military", "cmdMilitary", 6825, 3990, 6225,
     "Military Where People>frmMilitary1|Friends War Events Comments>frmMilitary2"},
    {"frmWeddingMain", "Vellumora - Wedding", "cmdWedding", 6765, 4935, 6225,
     "Meet Shower Where Ceremony Reception>frmWedding1|"
     "Size Stories Honeymoon HStories Advice>frmWedding2"},
    {"frmKidsMain", "Vellumora - Having Kids", "cmdKids", 6270, 2430, 5745,
     "MeStories Siblings Stories>frmKids"},
    {"frmTravelMain", "Vellumora - Travel", "cmdTravel", 6780, 3705, 6225,
     "Countries Like NotLike Here>frmTravel1|Vacation Future Free>frmTravel2"},
    {"frmLifeMain", "Vellumora - Life in General", "cmdLife", 6690, 3000, 6225,
     "Change Goals Advice>frmLife1|Books Hobbies Learn>frmLife2"},
    {"frmFinalMain", "Vellumora - Final Thoughts", "cmdFinal", 6270, 2535, 5745,
     "Self Advice Questions Comments>frmFinal"},
};

/// The one menu label worded otherwise than the catalogue.
const QString kWarOnMilitaryMenu = QStringLiteral(
    "Do you remember any particular war(s) during your life time?  Where were you?  Hold old "
    "were you?  What was it like for you?");

struct Row {
    QString key;   ///< the control key
    QString page;  ///< the page it opens
    int position;  ///< its question's catalogue position
};

const ExpectedMenu& expectedMenu(const QString& name) {
    for (const ExpectedMenu& menu : kMenus)
        if (name == QLatin1StringView(menu.name))
            return menu;
    qFatal("no such menu");
}

/// The rows in display order; they are the chapter's questions in order.
QList<Row> rowsOf(const ExpectedMenu& menu) {
    const catalogue::Chapter* chapter = nullptr;
    for (const catalogue::Chapter& candidate : catalogue::chapters())
        if (QLatin1StringView(candidate.menu) == QLatin1StringView(menu.name))
            chapter = &candidate;
    QList<Row> rows;
    int position = chapter->firstPosition;
    for (const QString& group : QString::fromLatin1(menu.rows).split(u'|')) {
        const QStringList keysAndPage = group.split(u'>');
        for (const QString& key : keysAndPage[0].split(u' '))
            rows.append({key, keysAndPage[1], position++});
    }
    return rows;
}

QString expectedWording(const QString& menu, const Row& row) {
    if (menu == u"frmMilitaryMain" && row.key == u"War")
        return kWarOnMilitaryMenu;
    return QString::fromLatin1(catalogue::question(row.position).text);
}

void addMenuRows() {
    QTest::addColumn<QString>("menu");
    for (const ExpectedMenu& menu : kMenus)
        QTest::newRow(menu.name) << QString::fromLatin1(menu.name);
}

}  // namespace

class ChapterMenusTest : public QObject {
    Q_OBJECT

private slots:
    void everyMenuAsDesigned_data() { addMenuRows(); }
    void everyMenuAsDesigned();
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

void ChapterMenusTest::everyMenuAsDesigned() {
    QFETCH(QString, menu);
    const ExpectedMenu& expected = expectedMenu(menu);
    Harness h;
    QWidget* screen = h.fromMainMenu(QString::fromLatin1(expected.entry));
    QVERIFY(screen);
    QCOMPARE(screen->objectName(), menu);
    QVERIFY(screen->isVisible());
    QVERIFY(!h.screens().find(QStringLiteral("frmMain"))->isVisible());
    QCOMPARE(screen->windowTitle(), QString::fromLatin1(expected.caption));
    QCOMPARE(screen->size(), pxSize(expected.width, expected.height));

    int previousBottom = -1;
    QStringList tabOrder, marks;
    for (const Row& row : rowsOf(expected)) {
        auto* label = control<QLabel>(screen, QStringLiteral("lbl") + row.key);
        auto* square = control<QAbstractButton>(screen, QStringLiteral("cmd") + row.key);
        auto* tick = control<QAbstractButton>(screen, QStringLiteral("cmd") + row.key + u'2');
        QVERIFY2(label && square && tick, qPrintable(row.key));
        QCOMPARE(label->text(), expectedWording(menu, row));
        QVERIFY2(showsAllItsText(label), qPrintable(row.key));
        QVERIFY2(label->height() <= 3 * label->fontMetrics().lineSpacing() + 2,
                 qPrintable(row.key));
        QCOMPARE(label->x(), px(480));
        // frmLifeMain is 15 twips narrower than its labels' design reaches.
        QCOMPARE(label->width(), px(std::min(expected.labelWidth, expected.width - 480)));
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
            QVERIFY2(label->y() > previousBottom, qPrintable(row.key));
        previousBottom = std::max(label->geometry().bottom(), square->geometry().bottom());
        QVERIFY(screen->rect().contains(label->geometry()));
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

// Label, plain square and tick of every row lead to the same page, and the
// page's Return leads back.
void ChapterMenusTest::everyRowOpensItsPageByLabelSquareAndTick() {
    QFETCH(QString, menu);
    const ExpectedMenu& expected = expectedMenu(menu);
    Harness h;
    QWidget* screen = h.fromMainMenu(QString::fromLatin1(expected.entry));
    const QList<Row> rows = rowsOf(expected);
    const auto opensItsPage = [&](const Row& row, const QString& name) {
        click(control(screen, name));
        const QString opened = h.activeName();
        if (opened != row.page || screen->isVisible())
            return false;
        click(control(h.screens().find(opened), QStringLiteral("cmdReturn")));
        return h.activeName() == menu;
    };
    for (const Row& row : rows) {
        QVERIFY2(opensItsPage(row, QStringLiteral("lbl") + row.key), qPrintable(row.key));
        QVERIFY2(opensItsPage(row, QStringLiteral("cmd") + row.key), qPrintable(row.key));
    }
    for (const Row& row : rows)
        h.store().store(row.position, QStringLiteral("answered"));
    QVERIFY(opensItsPage(rows.first(), QStringLiteral("lbl") + rows.first().key));
    for (const Row& row : rows) {
        QVERIFY2(control(screen, QStringLiteral("cmd") + row.key + u'2')->isVisible(),
                 qPrintable(row.key));
        QVERIFY2(!control(screen, QStringLiteral("cmd") + row.key)->isVisible(),
                 qPrintable(row.key));
        QVERIFY2(opensItsPage(row, QStringLiteral("cmd") + row.key + u'2'), qPrintable(row.key));
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
    click(control(h.screens().find(QStringLiteral("frmMain")), QStringLiteral("cmdLoad")));
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
        auto* main = h.screens().findAs<MainMenu>(QStringLiteral("frmMain"));
        const bool marked = main->markOf(QStringLiteral("Childhood"))->isMarked();
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
