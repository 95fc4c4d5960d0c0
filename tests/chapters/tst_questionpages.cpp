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

using catalogue::PageId;

/// The questions the catalogue puts on a page, in catalogue order.
QList<const catalogue::Question*> questionsOn(PageId page) {
    QList<const catalogue::Question*> on;
    for (const catalogue::Question& question : catalogue::questions())
        if (question.page == page)
            on.append(&question);
    return on;
}

/// Opens the page as the user does: main menu, chapter menu, the row of the
/// page's first question.
QuestionPage* openPage(Harness& h, PageId page) {
    QWidget* menu = h.openChapterMenu(catalogue::page(page).chapter);
    const catalogue::Question& first = *questionsOn(page).constFirst();
    click(control(menu, QStringLiteral("lbl") + catalogue::menuControlKey(first)));
    return qobject_cast<QuestionPage*>(h.screens().activeScreen());
}

QPlainTextEdit* box(QWidget* page, const QString& name) {
    return control<QPlainTextEdit>(page, name);
}

QPlainTextEdit* boxOf(QWidget* page, const catalogue::Question& question) {
    return box(page, QStringLiteral("txt") + QLatin1StringView(question.key));
}

/// The left and right frames stand at the top, side by side; the bottom
/// frame below them at the left.
void checkFramePlace(const QFrame* frame) {
    const QString name = frame->objectName();
    if (name == u"fraLeft")
        QCOMPARE(frame->pos(), QPoint(px(120), 0));
    else if (name == u"fraRight")
        QCOMPARE(frame->pos(), QPoint(px(3360), 0));
    else if (name == u"fraBottom")
        QVERIFY(frame->x() == px(120) && frame->y() > 0);
    else
        QFAIL(qPrintable(name + QStringLiteral(" is no frame of a page")));
}

void checkButtons(QWidget* page, const QList<QRect>& frames) {
    auto* save = control<QAbstractButton>(page, QStringLiteral("cmdSave"));
    auto* back = control<QAbstractButton>(page, QStringLiteral("cmdReturn"));
    QVERIFY(save && back);
    QCOMPARE(save->text(), QStringLiteral("&Save"));
    QCOMPARE(back->text(), QStringLiteral("&Return"));
    QCOMPARE(save->size(), pxSize(1095, 615));
    QCOMPARE(back->size(), pxSize(1095, 615));
    QVERIFY(page->rect().contains(save->geometry()) && page->rect().contains(back->geometry()));
    QVERIFY(!save->geometry().intersects(back->geometry()));
    for (const QRect& frame : frames)
        QVERIFY(!frame.intersects(save->geometry()) && !frame.intersects(back->geometry()));
}

void addPageRows() {
    QTest::addColumn<PageId>("page");
    for (const catalogue::Page& page : catalogue::pages())
        QTest::newRow(page.name) << page.id;
}

}  // namespace

Q_DECLARE_METATYPE(vellumora::catalogue::PageId)

class QuestionPagesTest : public QObject {
    Q_OBJECT

private slots:
    void everyPageHoldsItsQuestions_data() { addPageRows(); }
    void everyPageHoldsItsQuestions();
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

// Every question the catalogue puts on the page has its label, in the page's
// wording and shown whole, over or beside its answer box, both inside one
// frame of the page; no label covers a box; Save and Return stand clear of
// the frames. Tab visits each label and its box, then Save and Return; the
// first box has the focus, and Return leads back to the chapter's menu.
void QuestionPagesTest::everyPageHoldsItsQuestions() {
    QFETCH(PageId, page);
    const catalogue::Page& expected = catalogue::page(page);
    Harness h;
    QuestionPage* screen = openPage(h, page);
    QVERIFY(screen);
    QCOMPARE(screen, h.screens().find(page));
    QCOMPARE(screen->objectName(), QString::fromLatin1(expected.name));
    QCOMPARE(screen->windowTitle(), QString::fromLatin1(expected.caption));

    QStringList names;
    QList<QRect> boxes, labels, frames;
    for (const catalogue::Question* question : questionsOn(page)) {
        auto* label = control<QLabel>(screen, catalogue::pageLabelName(*question));
        QPlainTextEdit* answer = boxOf(screen, *question);
        QVERIFY2(label && answer, question->key);
        QCOMPARE(label->text(), catalogue::pageWording(*question));
        QVERIFY2(showsAllItsText(label), question->key);
        QCOMPARE(answer->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(answer->toPlainText().isEmpty());

        auto* frame = qobject_cast<QFrame*>(answer->parentWidget());
        QVERIFY2(frame && label->parentWidget() == frame, question->key);
        QCOMPARE(frame->frameShape(), QFrame::Box);
        checkFramePlace(frame);
        QVERIFY(frame->contentsRect().contains(label->geometry()));
        QVERIFY(frame->contentsRect().contains(answer->geometry()));
        QVERIFY(screen->rect().contains(frame->geometry()));
        boxes << inWindow(answer);
        labels << inWindow(label);
        if (!frames.contains(frame->geometry()))
            frames << frame->geometry();
        names << label->objectName() << answer->objectName();
    }
    for (const QRect& label : labels)
        for (const QRect& answer : boxes)
            QVERIFY(!label.intersects(answer));
    checkButtons(screen, frames);

    // Each label is followed by its own box, then the next question.
    names << QStringLiteral("cmdSave") << QStringLiteral("cmdReturn");
    const QStringList chain = focusChainAmong(screen, names);
    QCOMPARE(chain.size(), names.size());
    for (qsizetype i = 0; i + 1 < chain.size() - 2; i += 2) {
        QCOMPARE(names.indexOf(chain[i]) % 2, 0);
        QCOMPARE(names.indexOf(chain[i + 1]), names.indexOf(chain[i]) + 1);
    }
    QCOMPARE(chain.mid(chain.size() - 2), names.mid(names.size() - 2));

    QCOMPARE(screen->focusWidget(), box(screen, chain[1]));
    QCOMPARE(screen->changedFlag(), QStringLiteral("N"));
    click(control(screen, QStringLiteral("cmdReturn")));
    QCOMPARE(h.screens().activeScreen(), h.screens().find(expected.chapter));
    QVERIFY(!screen->isVisible());
    QVERIFY(h.dialogs.requests().isEmpty());
}

// Every question's box stands on the page the catalogue gives it, once.
void QuestionPagesTest::everyQuestionIsOnExactlyOnePage() {
    Harness h;
    QHash<QString, int> seen;
    for (const catalogue::Page& expected : catalogue::pages()) {
        QWidget* page = h.screens().create(expected.id);
        for (const catalogue::Question& question : catalogue::questions()) {
            const bool here = question.page == expected.id;
            const bool found = boxOf(page, question) && &catalogue::chapterOf(question) ==
                                                            &catalogue::chapter(expected.chapter);
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
    QuestionPage* page = openPage(h, PageId::Childhood1);
    QCOMPARE(box(page, QStringLiteral("txtGrowUp"))->toPlainText(), QString());
    QCOMPARE(box(page, QStringLiteral("txtToys"))->toPlainText(), QStringLiteral("A doll\nA kite"));
    QCOMPARE(box(page, QStringLiteral("txtLived"))->toPlainText(), QStringLiteral(" "));
    QCOMPARE(page->changedFlag(), QStringLiteral("N"));
    QCOMPARE(page->focusWidget(), box(page, QStringLiteral("txtGrowUp")));
}

void QuestionPagesTest::flagIsNeitherBeforeTheFirstActivation() {
    Harness h;
    auto* page = qobject_cast<QuestionPage*>(h.screens().create(catalogue::PageId::Jobs));
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
    QuestionPage* page = openPage(h, PageId::Wedding2);
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
    QuestionPage* page = openPage(h, PageId::Jobs);
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
    QuestionPage* page = openPage(h, PageId::Travel1);
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
    QuestionPage* page = openPage(h, PageId::Final);
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
    QuestionPage* page = openPage(h, PageId::Life2);
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
    QuestionPage* page = openPage(h, PageId::Children);
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
