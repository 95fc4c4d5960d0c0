// The twenty question pages, walked from their menus, and what they do with
// the answers.

#include "chapters/questionpage.h"
#include "chaptertesting.h"
#include "shell/units.h"
#include "store/answerstore.h"
#include "store/catalogue.h"
#include "store/datafile.h"

#include <QBuffer>
#include <QFrame>
#include <QPlainTextEdit>
#include <QScrollBar>

using namespace vellumora;
using namespace vellumora::test;

namespace {

/// A page as it must be. Questions in page order as "Key:frame", frame L, R
/// or B, with ":lblName" where the label is named otherwise. Arrangement:
/// 5, 4 or 3 questions, or "2+1" for two on the left and one on the right.
struct ExpectedPage {
    const char* name;
    const char* caption;
    const char* entry;   ///< the main menu entry of its chapter
    const char* opener;  ///< the control of its menu that opens it
    const char* chapter;
    const char* questions;
    const char* menu;  ///< what Return shows
    int width, height;
    const char* arrangement;
};

const ExpectedPage kPages[] = {
    {"frmChildhood1", "Vellumora - Childhood #1", "cmdChildhood", "lblGrowUp", "Childhood",
     "GrowUp:L Toys:L Games:R Hobbies:R Lived:B", "frmChildMain", 6630, 5820, "5"},
    {"frmChildhood2", "Vellumora - Childhood #2", "cmdChildhood", "lblSchool", "Childhood",
     "School:L Friends:L Differences:R Siblings:R Parents:B", "frmChildMain", 6660, 5550, "5"},
    {"frmHighSch1", "Vellumora - High School #1", "cmdHighSch", "lblGoHighSch", "HighSchool",
     "GoHighSch:L Grad:L Classes:R AfterSch:R Clubs:B", "frmHighSchMain", 6645, 5670, "5"},
    {"frmHighSch2", "Vellumora - High School #2", "cmdHighSch", "lblSports", "HighSchool",
     "Sports:L Hobbies:R AfterGrad:B", "frmHighSchMain", 6600, 3735, "3"},
    {"frmFirstCar", "Vellumora - First Car", "cmdFirstCar", "lblCar", "FirstCar",
     "Car:L WhenGet:L Getting:B Length:R Stories:R", "frmCarMain", 6645, 5550, "5"},
    {"frmVolun1", "Vellumora - Volunteering", "cmdVolunteer", "lblVolunteer", "Volunteering",
     "Volun:L:lblVolunteer WWW:L Skills:B Like:R Wanted:R", "frmVolunMain", 6645, 5580, "5"},
    {"frmJobs", "Vellumora - Jobs", "cmdJobs", "lblFirstJob", "Jobs",
     "FirstJob:L Best:L Worst:R Want:R Dream:B", "frmJobsMain", 6660, 5550, "5"},
    {"frmCollege1", "Vellumora - College #1", "cmdCollege", "lblWhereWhen", "College",
     "WhereWent:L:lblWhereWhen Scholarship:L Major:R Favorite:R", "frmCollegeMain", 6645, 4815,
     "4"},
    {"frmCollege2", "Vellumora - College #2", "cmdCollege", "lblBest", "College",
     "Best:L Least:L Graduate:R", "frmCollegeMain", 6675, 3990, "2+1"},
    {"frmCollege3", "Vellumora - College #3", "cmdCollege", "lblNotGrad", "College",
     "NotGrad:L Orgs:L Sports:R Stories:R", "frmCollegeMain", 6630, 5265, "4"},
    {"frmMilitary1", "Vellumora - Military #1", "cmdMilitary", "lblMilitary", "Military",
     "Military:L Where:R People:B", "frmMilitaryMain", 6765, 4020, "3"},
    {"frmMilitary2", "Vellumora - Military #2", "cmdMilitary", "lblFriends", "Military",
     "Friends:L War:R Events:L Comments:R", "frmMilitaryMain", 6855, 4950, "4"},
    {"frmWedding1", "Vellumora - Wedding #1", "cmdWedding", "lblMeet", "Wedding",
     "Meet:L Shower:L Where:R Ceremony:R Reception:B", "frmWeddingMain", 6615, 5550, "5"},
    {"frmWedding2", "Vellumora - Wedding #2", "cmdWedding", "lblSize", "Wedding",
     "Size:L Stories:L Honeymoon:R HStories:R Advice:B", "frmWeddingMain", 6660, 5790, "5"},
    {"frmKids", "Vellumora - Having Children", "cmdKids", "lblMeStories", "Children",
     "MeStories:L Siblings:R Stories:B", "frmKidsMain", 6645, 4005, "3"},
    {"frmTravel1", "Vellumora - Travel #1", "cmdTravel", "lblCountries", "Travel",
     "Countries:L Like:L NotLike:R Here:R", "frmTravelMain", 6615, 4680, "4"},
    {"frmTravel2", "Vellumora - Travel #2", "cmdTravel", "lblVacation", "Travel",
     "Vacation:L Future:R Free:B", "frmTravelMain", 6645, 4350, "3"},
    {"frmLife1", "Vellumora - Life in General #1", "cmdLife", "lblChange", "Life",
     "Change:L Goals:R Advice:B", "frmLifeMain", 6615, 3750, "3"},
    {"frmLife2", "Vellumora - Life in General #2", "cmdLife", "lblBooks", "Life",
     "Books:L Hobbies:B Learn:R", "frmLifeMain", 6660, 3750, "3"},
    {"frmFinal", "Vellumora - Final Thoughts", "cmdFinal", "lblSelf", "Final",
     "Self:L Advice:L Questions:R Comments:R", "frmFinalMain", 6630, 4815, "4"},
};

/// Frames and boxes that differ from the common measures: frame width and
/// box size in twips.
struct ExpectedMeasure {
    const char* page;
    char frame;
    int frameWidth, boxWidth, boxHeight;
};

const ExpectedMeasure kMeasures[] = {
    {"frmMilitary1", 'R', 3255, 2895, 975},   {"frmMilitary1", 'B', 5175, 2895, 1095},
    {"frmMilitary2", 'R', 3375, 3135, 975},   {"frmTravel2", 'B', 5055, 4815, 735},
    {"frmChildhood1", 'B', 5055, 2295, 1215}, {"frmHighSch1", 'B', 5055, 2775, 1095},
};

ExpectedMeasure measureOf(const QString& page, char frame) {
    for (const ExpectedMeasure& measure : kMeasures)
        if (page == QLatin1StringView(measure.page) && measure.frame == frame)
            return measure;
    return {nullptr, frame, frame == 'B' ? 5055 : 3135, 2895, 975};
}

/// The page labels worded otherwise than the catalogue.
const QHash<QString, QString> kOwnWordings = {
    {"frmChildhood1/Lived",
     "Where did you live grow- ing up?  If you moved during your childhood, which home was your "
     "favorite, and why?"},
    {"frmCollege2/Graduate",
     "Did you graduate from college?  If yes, when? Did you go through the ceremony? Who was "
     "there to watch you?  Do you remember anything specific about the ceremony?"},
    {"frmMilitary1/Where", "If applicable, what countries/ areas did you see?"},
    {"frmMilitary2/Events", "Do you remember missing any- thing because of the war(s)?"},
    {"frmMilitary2/War",
     "Do you remember any particular war(s) during your lifetime?  Where were you?  How old were "
     "you?  What was it like for you?"},
};

struct Question {
    QString key;
    char frame;
    QString label;
    QString slot;
};

QList<Question> questionsOf(const ExpectedPage& page) {
    QList<Question> questions;
    for (const QString& entry : QString::fromLatin1(page.questions).split(u' ')) {
        const QStringList parts = entry.split(u':');
        const QString label = parts.size() > 2 ? parts[2] : QStringLiteral("lbl") + parts[0];
        questions.append({parts[0], char(parts[1].at(0).toLatin1()), label,
                          QLatin1StringView(page.chapter) + u'.' + parts[0]});
    }
    return questions;
}

QString expectedWording(const QString& page, const Question& question) {
    const QString own = kOwnWordings.value(page + u'/' + question.key);
    return own.isEmpty()
               ? QString::fromLatin1(catalogue::question(catalogue::positionOf(question.slot)).text)
               : own;
}

const ExpectedPage& expectedPage(const QString& name) {
    for (const ExpectedPage& page : kPages)
        if (name == QLatin1StringView(page.name))
            return page;
    qFatal("no such page");
}

/// Opens the page as the user does: main menu, chapter menu, page.
QuestionPage* openPage(Harness& h, const QString& name) {
    const ExpectedPage& page = expectedPage(name);
    QWidget* menu = h.fromMainMenu(QString::fromLatin1(page.entry));
    click(control(menu, QString::fromLatin1(page.opener)));
    return qobject_cast<QuestionPage*>(h.screens().activeScreen());
}

QPlainTextEdit* box(QWidget* page, const QString& name) {
    return control<QPlainTextEdit>(page, name);
}

void checkFrame(const QString& page, const Question& question, const QFrame* frame) {
    const ExpectedMeasure measure = measureOf(page, question.frame);
    QVERIFY2(frame, qPrintable(question.key));
    QCOMPARE(frame->frameShape(), QFrame::Box);
    QCOMPARE(frame->width(), px(measure.frameWidth));
    switch (question.frame) {
        case 'L':
            QCOMPARE(frame->pos(), QPoint(px(120), 0));
            break;
        case 'R':
            QCOMPARE(frame->pos(), QPoint(px(3360), 0));
            break;
        case 'B':
            QCOMPARE(frame->x(), px(120));
            QVERIFY(frame->y() > 0);
            break;
    }
}

void checkButtons(QWidget* page, const QString& arrangement, const QFrame* bottom) {
    auto* save = control<QAbstractButton>(page, QStringLiteral("cmdSave"));
    auto* back = control<QAbstractButton>(page, QStringLiteral("cmdReturn"));
    QVERIFY(save && back);
    QCOMPARE(save->text(), QStringLiteral("&Save"));
    QCOMPARE(back->text(), QStringLiteral("&Return"));
    QCOMPARE(save->size(), pxSize(1095, 615));
    QCOMPARE(back->size(), pxSize(1095, 615));
    QVERIFY(page->rect().contains(save->geometry()) && page->rect().contains(back->geometry()));
    if (arrangement == u"5" || arrangement == u"3") {
        QVERIFY(bottom && save->x() > bottom->geometry().right());
        QCOMPARE(save->x(), px(5400));
        QCOMPARE(back->x(), px(5400));
        QVERIFY(save->geometry().bottom() < back->y());
    } else if (arrangement == u"4") {
        QCOMPARE(save->x(), px(120));
        QCOMPARE(back->x(), page->objectName() == u"frmMilitary2" ? px(5640) : px(5400));
        QCOMPARE(save->y(), back->y());
    } else {
        QCOMPARE(save->x(), px(3480));
        QCOMPARE(back->x(), px(5400));
        QCOMPARE(save->y(), back->y());
    }
}

void addPageRows() {
    QTest::addColumn<QString>("page");
    for (const ExpectedPage& page : kPages)
        QTest::newRow(page.name) << QString::fromLatin1(page.name);
}

}  // namespace

class QuestionPagesTest : public QObject {
    Q_OBJECT

private slots:
    void everyPageAsDesigned_data() { addPageRows(); }
    void everyPageAsDesigned();
    void everyQuestionIsOnExactlyOnePage();
    void activationLoadsTheStoredAnswers();
    void flagIsNeitherBeforeTheFirstActivation();
    void returnAsksOnlyAfterAChange_data();
    void returnAsksOnlyAfterAChange();
    void noDropsTheTyping();
    void yesStoresEveryBox();
    void saveStoresEveryBoxAndStays();
    void multiLineAnswersRoundTrip();
    void closeBoxAsksTheExitQuestion_data();
    void closeBoxAsksTheExitQuestion();
};

void QuestionPagesTest::everyPageAsDesigned() {
    QFETCH(QString, page);
    const ExpectedPage& expected = expectedPage(page);
    Harness h;
    QuestionPage* screen = openPage(h, page);
    QVERIFY(screen);
    QCOMPARE(screen->objectName(), page);
    QCOMPARE(screen->windowTitle(), QString::fromLatin1(expected.caption));
    QCOMPARE(screen->size(), pxSize(expected.width, expected.height));

    QStringList tabOrder;
    QList<QRect> boxes, labels;
    const QFrame* bottom = nullptr;
    for (const Question& question : questionsOf(expected)) {
        auto* label = control<QLabel>(screen, question.label);
        auto* answer = box(screen, QStringLiteral("txt") + question.key);
        QVERIFY2(label && answer, qPrintable(question.key));
        QCOMPARE(label->text(), expectedWording(page, question));
        QVERIFY2(showsAllItsText(label), qPrintable(question.key));
        QCOMPARE(answer->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(answer->toPlainText().isEmpty());

        auto* frame = qobject_cast<QFrame*>(answer->parentWidget());
        checkFrame(page, question, frame);
        QCOMPARE(label->parentWidget(), frame);
        const ExpectedMeasure measure = measureOf(page, question.frame);
        QCOMPARE(answer->size(), pxSize(measure.boxWidth, measure.boxHeight));
        QVERIFY(frame->contentsRect().contains(label->geometry()));
        QVERIFY(frame->contentsRect().contains(answer->geometry()));
        QVERIFY(screen->rect().contains(frame->geometry()));
        if (question.frame == 'B')
            bottom = frame;
        boxes << inWindow(answer);
        labels << inWindow(label);
        tabOrder << label->objectName() << answer->objectName();
    }
    for (const QRect& label : labels)
        for (const QRect& answer : boxes)
            QVERIFY(!label.intersects(answer));
    checkButtons(screen, QString::fromLatin1(expected.arrangement), bottom);

    tabOrder << QStringLiteral("cmdSave") << QStringLiteral("cmdReturn");
    QCOMPARE(focusChainAmong(screen, tabOrder), tabOrder);

    QCOMPARE(screen->focusWidget(), box(screen, tabOrder[1]));
    QCOMPARE(screen->changedFlag(), QStringLiteral("N"));
    click(control(screen, QStringLiteral("cmdReturn")));
    QCOMPARE(h.activeName(), QString::fromLatin1(expected.menu));
    QVERIFY(!screen->isVisible());
    QVERIFY(h.dialogs.requests().isEmpty());
}

// Every question's box stands on the page the catalogue gives it, once.
void QuestionPagesTest::everyQuestionIsOnExactlyOnePage() {
    Harness h;
    QHash<QString, int> seen;
    for (const ExpectedPage& expected : kPages) {
        QWidget* page = h.screens().create(QString::fromLatin1(expected.name));
        for (const catalogue::Question& question : catalogue::questions()) {
            const QString name = QStringLiteral("txt") + QLatin1StringView(question.key);
            const bool here = QLatin1StringView(question.page) == page->objectName();
            const bool found =
                box(page, name) && QLatin1StringView(question.chapterKey) == expected.chapter;
            QCOMPARE(found, here);
            if (found)
                ++seen[catalogue::slotName(question)];
        }
    }
    QCOMPARE(seen.size(), catalogue::kQuestionCount);
    for (int count : std::as_const(seen))
        QCOMPARE(count, 1);
}

void QuestionPagesTest::activationLoadsTheStoredAnswers() {
    Harness h;
    h.store().store(QStringLiteral("Childhood.Toys"), QStringLiteral("A doll\r\nA kite"));
    h.store().store(QStringLiteral("Childhood.Lived"), QStringLiteral(" "));
    QuestionPage* page = openPage(h, QStringLiteral("frmChildhood1"));
    QCOMPARE(box(page, QStringLiteral("txtGrowUp"))->toPlainText(), QString());
    QCOMPARE(box(page, QStringLiteral("txtToys"))->toPlainText(), QStringLiteral("A doll\nA kite"));
    QCOMPARE(box(page, QStringLiteral("txtLived"))->toPlainText(), QStringLiteral(" "));
    QCOMPARE(page->changedFlag(), QStringLiteral("N"));
    QCOMPARE(page->focusWidget(), box(page, QStringLiteral("txtGrowUp")));
}

void QuestionPagesTest::flagIsNeitherBeforeTheFirstActivation() {
    Harness h;
    auto* page = qobject_cast<QuestionPage*>(h.screens().create(QStringLiteral("frmJobs")));
    QVERIFY(page);
    QVERIFY(page->changedFlag().isEmpty());
}

void QuestionPagesTest::returnAsksOnlyAfterAChange_data() {
    QTest::addColumn<QString>("typing");  // what the user does before Return
    QTest::addColumn<bool>("asks");
    QTest::newRow("nothing") << "" << false;
    QTest::newRow("typed") << "type" << true;
    QTest::newRow("typed and deleted again") << "type,delete" << true;
    QTest::newRow("typed and saved") << "type,save" << false;
    QTest::newRow("saved, then typed") << "save,type" << true;
}

void QuestionPagesTest::returnAsksOnlyAfterAChange() {
    QFETCH(QString, typing);
    QFETCH(bool, asks);
    Harness h;
    QuestionPage* page = openPage(h, QStringLiteral("frmWedding2"));
    QPlainTextEdit* first = box(page, QStringLiteral("txtSize"));
    for (const QString& step : typing.split(u',', Qt::SkipEmptyParts)) {
        if (step == u"type")
            QTest::keyClick(first, Qt::Key_X);
        else if (step == u"delete")
            QTest::keyClick(first, Qt::Key_Backspace);
        else
            click(control(page, QStringLiteral("cmdSave")));
    }
    if (asks)
        h.dialogs.answerMessage(MessageButton::No);
    click(control(page, QStringLiteral("cmdReturn")));
    QCOMPARE(h.activeName(), QStringLiteral("frmWeddingMain"));
    QCOMPARE(h.dialogs.messages().size(), asks ? 1 : 0);
    if (!asks)
        return;
    const MessageRequest asked = h.dialogs.messages().first();
    QCOMPARE(asked.title, QStringLiteral("Save Changes"));
    QCOMPARE(asked.text, QStringLiteral("Do you want to save your changes?"));
    QCOMPARE(asked.icon, MessageIcon::Warning);
    QCOMPARE(asked.buttons, MessageButtons::YesNo);
    QCOMPARE(asked.defaultButton, MessageButton::Yes);
}

void QuestionPagesTest::noDropsTheTyping() {
    Harness h;
    h.store().store(QStringLiteral("Jobs.Best"), QStringLiteral("Teacher"));
    QuestionPage* page = openPage(h, QStringLiteral("frmJobs"));
    QTest::keyClicks(box(page, QStringLiteral("txtBest")), QStringLiteral(" and nurse"));
    QTest::keyClicks(box(page, QStringLiteral("txtDream")), QStringLiteral("Pilot"));
    h.dialogs.answerMessage(MessageButton::No);
    click(control(page, QStringLiteral("cmdReturn")));
    QCOMPARE(h.activeName(), QStringLiteral("frmJobsMain"));
    QCOMPARE(h.store().answer(QStringLiteral("Jobs.Best")), QStringLiteral("Teacher"));
    QCOMPARE(h.store().answer(QStringLiteral("Jobs.Dream")), QString());
    QCOMPARE(page->changedFlag(), QStringLiteral("Y"));

    click(control(h.screens().activeScreen(), QStringLiteral("cmdBest")));
    QCOMPARE(h.screens().activeScreen(), page);
    QCOMPARE(box(page, QStringLiteral("txtBest"))->toPlainText(), QStringLiteral("Teacher"));
    QCOMPARE(box(page, QStringLiteral("txtDream"))->toPlainText(), QString());
    QCOMPARE(page->changedFlag(), QStringLiteral("N"));
}

// Yes stores the boxes that were not touched as well: their slots leave the
// unset state for the empty text.
void QuestionPagesTest::yesStoresEveryBox() {
    Harness h;
    QuestionPage* page = openPage(h, QStringLiteral("frmTravel1"));
    QTest::keyClicks(box(page, QStringLiteral("txtLike")), QStringLiteral("The food"));
    h.dialogs.answerMessage(MessageButton::Yes);
    click(control(page, QStringLiteral("cmdReturn")));
    QCOMPARE(h.activeName(), QStringLiteral("frmTravelMain"));
    QCOMPARE(h.store().answer(QStringLiteral("Travel.Like")), QStringLiteral("The food"));
    for (const char* slot : {"Travel.Countries", "Travel.NotLike", "Travel.Here"}) {
        const std::optional<QString>& state =
            h.store().state(catalogue::positionOf(QString::fromLatin1(slot)));
        QVERIFY2(state && state->isEmpty(), slot);
    }
    QVERIFY(!h.store().state(catalogue::positionOf(u"Travel.Vacation")).has_value());
    QCOMPARE(page->changedFlag(), QStringLiteral("N"));
}

void QuestionPagesTest::saveStoresEveryBoxAndStays() {
    Harness h;
    h.store().store(QStringLiteral("Final.Self"), QStringLiteral("Kind"));
    QuestionPage* page = openPage(h, QStringLiteral("frmFinal"));
    box(page, QStringLiteral("txtSelf"))->clear();
    QTest::keyClicks(box(page, QStringLiteral("txtQuestions")), QStringLiteral("None"));
    click(control(page, QStringLiteral("cmdSave")));
    QCOMPARE(h.screens().activeScreen(), page);
    QVERIFY(page->isVisible());
    QCOMPARE(page->changedFlag(), QStringLiteral("N"));
    const std::optional<QString>& self = h.store().state(catalogue::positionOf(u"Final.Self"));
    QVERIFY(self && self->isEmpty());
    QCOMPARE(h.store().answer(QStringLiteral("Final.Questions")), QStringLiteral("None"));
    QVERIFY(h.store().state(catalogue::positionOf(u"Final.Advice")).has_value());
    QVERIFY(h.dialogs.requests().isEmpty());
}

// Typed lines reach the store and the data file with CR LF, and come back
// into the box as they were typed.
void QuestionPagesTest::multiLineAnswersRoundTrip() {
    Harness h;
    QuestionPage* page = openPage(h, QStringLiteral("frmLife2"));
    QPlainTextEdit* hobbies = box(page, QStringLiteral("txtHobbies"));
    QTest::keyClicks(hobbies, QStringLiteral("Knitting"));
    QTest::keyClick(hobbies, Qt::Key_Return);
    QTest::keyClick(hobbies, Qt::Key_Return);
    QTest::keyClicks(hobbies, QStringLiteral("Gardening, \"mostly\" roses"));
    click(control(page, QStringLiteral("cmdSave")));
    const QString stored = QStringLiteral("Knitting\r\n\r\nGardening, \"mostly\" roses");
    QCOMPARE(h.store().answer(QStringLiteral("Life.Hobbies")), stored);

    QByteArray bytes = datafile::encode(h.store());
    QVERIFY(bytes.contains("\"Knitting\r\n\r\nGardening, \"\"mostly\"\" roses\""));
    QBuffer file(&bytes);
    QVERIFY(file.open(QIODevice::ReadOnly));
    AnswerStore reloaded;
    QCOMPARE(datafile::read(file, reloaded), datafile::ReadResult::Complete);
    QCOMPARE(reloaded.answer(QStringLiteral("Life.Hobbies")), stored);

    click(control(page, QStringLiteral("cmdReturn")));
    click(control(h.screens().activeScreen(), QStringLiteral("lblHobbies")));
    QCOMPARE(h.screens().activeScreen(), page);
    QCOMPARE(hobbies->toPlainText(), QStringLiteral("Knitting\n\nGardening, \"mostly\" roses"));
    QCOMPARE(hobbies->document()->blockCount(), 3);
    click(control(page, QStringLiteral("cmdReturn")));
    QVERIFY(h.dialogs.requests().isEmpty());
}

void QuestionPagesTest::closeBoxAsksTheExitQuestion_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("No keeps the page and its typing") << false;
    QTest::newRow("Yes ends without storing") << true;
}

void QuestionPagesTest::closeBoxAsksTheExitQuestion() {
    QFETCH(bool, yes);
    Harness h;
    QuestionPage* page = openPage(h, QStringLiteral("frmKids"));
    QTest::keyClicks(box(page, QStringLiteral("txtSiblings")), QStringLiteral("Jealous"));
    h.dialogs.answerMessage(yes ? MessageButton::Yes : MessageButton::No);
    page->close();
    QCOMPARE(h.dialogs.messages().size(), 1);
    test::compareWithExitQuestion(h.dialogs.messages().first());
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(h.ended, yes);
    QCOMPARE(h.store().answer(QStringLiteral("Children.Siblings")), QString());
    if (yes)
        return;
    QVERIFY(page->isVisible());
    QCOMPARE(h.screens().activeScreen(), page);
    QCOMPARE(box(page, QStringLiteral("txtSiblings"))->toPlainText(), QStringLiteral("Jealous"));
    QCOMPARE(page->changedFlag(), QStringLiteral("Y"));
}

QTEST_MAIN(QuestionPagesTest)
#include "tst_questionpages.moc"
