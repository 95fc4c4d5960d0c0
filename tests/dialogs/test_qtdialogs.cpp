// A smoke test of the production dialogs: each real dialog is opened and
// closed again by the user's keys, as under a desktop, only headless.
#include "dialogs/qtdialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vellumora;

namespace {

/// Runs the action on the modal dialog as soon as it is up.
void whenDialogOpens(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(dialog);
        }
    });
    timer->start();
}

}  // namespace

class QtDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void messageBoxShowsTheRequestAndReturnsThePressedButton();
    void escapeOnAQuestionWithoutCancelMeansNo();
    void promptReturnsTheTypedTextOrNothing();
    void cancelledOpenDialogGivesNothing();
    void saveDialogAddsTheDefaultSuffixToANameWithoutOne();
    void bookDialogGivesWhatWasTyped();
    void bookDialogSetsTheBookAndOffersTheSpellingCheck();
    void uncancellableProgressShowsAtOnceAndGoesWithItsHandle();
};

void QtDialogsTest::messageBoxShowsTheRequestAndReturnsThePressedButton() {
    QtDialogs dialogs;
    MessageRequest request{QStringLiteral("Save Changes"),
                           QStringLiteral("Do you want to save your changes?"),
                           MessageIcon::Warning, MessageButtons::YesNo, MessageButton::Yes};
    QString seenTitle, seenText;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    whenDialogOpens([&](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        QVERIFY(box);
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenIcon = box->icon();
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));
        box->button(QMessageBox::No)->click();
    });
    QCOMPARE(dialogs.message(nullptr, request), MessageButton::No);
    QCOMPARE(seenTitle, request.title);
    QCOMPARE(seenText, request.text);
    QCOMPARE(seenIcon, QMessageBox::Warning);
}

void QtDialogsTest::escapeOnAQuestionWithoutCancelMeansNo() {
    QtDialogs dialogs;
    MessageRequest request{QStringLiteral("Vellumora"), QStringLiteral("Are you sure?"),
                           MessageIcon::Warning, MessageButtons::YesNo, MessageButton::No};
    whenDialogOpens([](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
    QCOMPARE(dialogs.message(nullptr, request), MessageButton::No);
}

void QtDialogsTest::promptReturnsTheTypedTextOrNothing() {
    QtDialogs dialogs;
    whenDialogOpens([](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>();
        QVERIFY(edit);
        QTest::keyClicks(edit, QStringLiteral("school"));
        static_cast<QDialog*>(dialog)->accept();
    });
    QCOMPARE(dialogs.prompt(nullptr, QStringLiteral("Find"), QStringLiteral("Find what?")),
             std::optional<QString>(QStringLiteral("school")));
    whenDialogOpens([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    QCOMPARE(dialogs.prompt(nullptr, QStringLiteral("Find"), QStringLiteral("Find what?")),
             std::optional<QString>());
}

void QtDialogsTest::cancelledOpenDialogGivesNothing() {
    QtDialogs dialogs;
    whenDialogOpens([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    FileRequest request;
    request.filters = {QStringLiteral("Data Files (*.dat)")};
    QCOMPARE(dialogs.openFile(nullptr, request), std::optional<QString>());
}

void QtDialogsTest::saveDialogAddsTheDefaultSuffixToANameWithoutOne() {
    QtDialogs dialogs;
    QTemporaryDir dir;
    const std::pair<QString, QString> typedAndChosen[] = {
        {QStringLiteral("My Life Story"), QStringLiteral("My Life Story.rtf")},
        {QStringLiteral("Notes.txt"), QStringLiteral("Notes.txt")}};
    for (const auto& [typed, expected] : typedAndChosen) {
        whenDialogOpens([&](QWidget* dialog) {
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->clear();
            QTest::keyClicks(name, typed);
            static_cast<QDialog*>(dialog)->accept();
            if (dialog->isVisible())  // the name was not taken: the test fails, it does not wait
                static_cast<QDialog*>(dialog)->reject();
        });
        FileRequest request;
        request.filters = {QStringLiteral("Rich Text Files (*.rtf)")};
        request.fileName = dir.filePath(QStringLiteral("Story.rtf"));
        request.defaultSuffix = QStringLiteral("rtf");
        const std::optional<QString> chosen = dialogs.saveFile(nullptr, request);
        QCOMPARE(chosen, std::optional(dir.filePath(expected)));
    }
}

// The title and name are typed into fields that follow the title page box.
void QtDialogsTest::bookDialogGivesWhatWasTyped() {
    QtDialogs dialogs;
    const BookChoice initial{.title = QStringLiteral("Old title")};
    bool fieldsFollowedTheBox = false;
    whenDialogOpens([&](QWidget* dialog) {
        auto* title = dialog->findChild<QLineEdit*>(QStringLiteral("txtBookTitle"));
        auto* author = dialog->findChild<QLineEdit*>(QStringLiteral("txtBookAuthor"));
        auto* titlePage = dialog->findChild<QCheckBox*>(QStringLiteral("chkTitlePage"));
        QVERIFY(title && author && titlePage);
        QCOMPARE(title->text(), initial.title);
        title->clear();
        QTest::keyClicks(title, QStringLiteral("  Ruth's Life "));
        QTest::keyClicks(author, QStringLiteral("Ruth Ames"));
        titlePage->click();
        fieldsFollowedTheBox = !title->isEnabled() && !author->isEnabled();
        titlePage->click();
        fieldsFollowedTheBox = fieldsFollowedTheBox && title->isEnabled();
        dialog->findChild<QCheckBox*>(QStringLiteral("chkContentsPage"))->click();
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    const std::optional<BookChoice> chosen = dialogs.chooseBook(nullptr, initial);
    QVERIFY(chosen);
    QVERIFY(fieldsFollowedTheBox);
    QCOMPARE(chosen->title, QStringLiteral("Ruth's Life"));
    QCOMPARE(chosen->author, QStringLiteral("Ruth Ames"));
    QVERIFY(chosen->titlePage);
    QVERIFY(!chosen->contentsPage);

    whenDialogOpens([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    QVERIFY(!dialogs.chooseBook(nullptr, initial));
}

// The style, paper and type come back as chosen; the options of the Book
// style give way to the editor's pages. Words that may be misspelled are
// told, and checking them first is a choice of its own.
void QtDialogsTest::bookDialogSetsTheBookAndOffersTheSpellingCheck() {
    QtDialogs dialogs;
    BookChoice initial{.dedication = QStringLiteral("For Emma"), .paper = BookPaper::A5};
    bool bookOnlyFollowStyle = false;
    QString misspelled;
    whenDialogOpens([&](QWidget* dialog) {
        auto* style = dialog->findChild<QComboBox*>(QStringLiteral("cmbBookStyle"));
        auto* paper = dialog->findChild<QComboBox*>(QStringLiteral("cmbBookPaper"));
        auto* twoSided = dialog->findChild<QCheckBox*>(QStringLiteral("chkTwoSided"));
        QVERIFY(style && paper && twoSided);
        QCOMPARE(paper->currentText(), QStringLiteral("A5"));
        QVERIFY(!dialog->findChild<QLabel*>(QStringLiteral("lblMisspelled")));
        style->setCurrentText(QStringLiteral("As in the editor"));
        bookOnlyFollowStyle = !twoSided->isEnabled();
        style->setCurrentText(QStringLiteral("Book"));
        bookOnlyFollowStyle = bookOnlyFollowStyle && twoSided->isEnabled();
        paper->setCurrentText(QStringLiteral("6 × 9 inches"));
        twoSided->click();
        dialog->findChild<QCheckBox*>(QStringLiteral("chkLargePrint"))->click();
        dialog->findChild<QCheckBox*>(QStringLiteral("chkUnanswered"))->click();
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    std::optional<BookChoice> chosen = dialogs.chooseBook(nullptr, initial);
    QVERIFY(chosen);
    QVERIFY(bookOnlyFollowStyle);
    QCOMPARE(chosen->dedication, initial.dedication);
    QCOMPARE(chosen->style, BookStyle::Book);
    QCOMPARE(chosen->paper, BookPaper::SixByNineInches);
    QVERIFY(chosen->twoSided && chosen->largePrint && chosen->includeUnanswered);
    QCOMPARE(chosen->then, BookChoice::Then::MakeBook);

    initial.misspelledWords = 3;
    whenDialogOpens([&](QWidget* dialog) {
        misspelled = dialog->findChild<QLabel*>(QStringLiteral("lblMisspelled"))->text();
        auto* check = dialog->findChild<QPushButton*>(QStringLiteral("cmdCheckSpellingFirst"));
        QCOMPARE(check->text(), QStringLiteral("Check Spelling &First"));
        check->click();
    });
    chosen = dialogs.chooseBook(nullptr, initial);
    QVERIFY(chosen);
    QCOMPARE(misspelled, QStringLiteral("3 words may be misspelled."));
    QCOMPARE(chosen->then, BookChoice::Then::CheckSpellingFirst);
}

void QtDialogsTest::uncancellableProgressShowsAtOnceAndGoesWithItsHandle() {
    QtDialogs dialogs;
    QWidget window;
    window.show();
    {
        ProgressRequest request{QStringLiteral("Vellumora"), QStringLiteral("Opening"), 10};
        request.canCancel = false;
        const std::unique_ptr<Progress> progress = dialogs.showProgress(&window, request);
        QVERIFY(progress->advance(4));
        auto* shown = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        QVERIFY(shown);
        QCOMPARE(shown->windowTitle(), QStringLiteral("Vellumora"));
        QCOMPARE(shown->labelText(), QStringLiteral("Opening"));
        QCOMPARE(shown->value(), 4);
        QCOMPARE(shown->maximum(), 10);
        QVERIFY(shown->findChildren<QPushButton*>().isEmpty());  // nothing to cancel
    }
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(QtDialogsTest)
#include "test_qtdialogs.moc"
