#include "editor/selectionformat.h"
#include "editorfixture.h"
#include "shell/session.h"
#include "shell/units.h"

#include <QClipboard>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

using namespace vellumora;
using namespace vellumora::test;
using Kind = ScriptedDialogs::Kind;

namespace {

void select(DocumentTextEdit* text, int start, int end) {
    QTextCursor cursor = text->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    text->setTextCursor(cursor);
}

editor::SelectionFormat formatAt(DocumentTextEdit* text, int start, int end) {
    QTextCursor cursor(text->document());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    return editor::readSelectionFormat(cursor, text->document()->defaultFont(),
                                       text->palette().color(QPalette::Text));
}

/// What is wrong with the text area's place in the editor window; empty when
/// nothing is.
QString textAreaMisplaced(TextEditor* editor, DocumentTextEdit* text) {
    const QWidget* client = editor->centralWidget();
    const int margin = px(120);
    const QRect expected = client->rect().marginsRemoved(QMargins(margin, margin, margin, margin));
    if (text->geometry() != expected)
        return QStringLiteral("text area at %1,%2 %3x%4 in a client area of %5x%6")
            .arg(text->x())
            .arg(text->y())
            .arg(text->width())
            .arg(text->height())
            .arg(client->width())
            .arg(client->height());
    const QRect belowMenus(0, editor->menuBar()->geometry().bottom() + 1, editor->width(),
                           editor->height() - editor->menuBar()->geometry().bottom() - 1);
    const QScrollBar* bar = text->verticalScrollBar();
    if (!bar->isVisibleTo(editor))
        return QStringLiteral("no scroll bar");
    for (const QWidget* part :
         {static_cast<const QWidget*>(text), static_cast<const QWidget*>(bar)}) {
        const QRect inWindow(part->mapTo(editor, QPoint(0, 0)), part->size());
        if (!belowMenus.contains(inWindow) ||
            !QRect(client->mapTo(editor, QPoint(0, 0)), client->size()).contains(inWindow))
            return QStringLiteral("%1 runs outside the window")
                .arg(part == bar ? "scroll bar" : "text area");
    }
    return {};
}

QAction* action(TextEditor* editor, const char* name) {
    return editor->findChild<QAction*>(QLatin1StringView(name));
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QGuiApplication::clipboard()->clear(); }

    // The layout of a long story goes on in the background after the editor
    // opens; a keystroke meanwhile must not leave the rest out of reach.
    void typingWhileALongStoryIsLaidOutKeepsAllOfItReachable() {
        EditorFixture f;
        const QString answer = u"We lived in a house by the river. "_qs.repeated(120);
        for (int position = 1; position <= 81; ++position)
            f.program.store().store(position, answer);
        f.openEditor();
        const QTextDocument* document = f.text()->document();
        const auto laidOutToTheEnd = [document] {
            return document->lastBlock().layout()->lineCount() > 0;
        };
        QVERIFY2(!laidOutToTheEnd(), "the story is too short to be laid out in the background");
        QTest::keyClick(f.text(), Qt::Key_X);
        QTRY_VERIFY_WITH_TIMEOUT(laidOutToTheEnd(), 10000);
    }

    void menus_data();
    void menus();
    void windowAndTextAreaSizes();
    void textAreaFollowsTheWindow();
    void menuKeysRunMenuCommands();

    void editMenuEnabling();
    void clipboardIsPlainText();

    void findSelectsAcrossLineBreaks();
    void findMessages_data();
    void findMessages();
    void findNextFindsOverlappingMatches();
    void searchTextOutlivesTheEditor();

    void fontOnUniformSelection();
    void fontAndColorEndOnMixedSelections_data();
    void fontAndColorEndOnMixedSelections();
    void colorMarksModifiedOnlyWhenDifferent();

    void printsOnePageToPdf();
};

void WindowTest::menus_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("entries");  // name|caption|shortcut, "-" for a separator
    QTest::newRow("File") << "mnuFile"
                          << "&File"
                          << QStringList{"mnuFileOpen|&Open|Ctrl+O",
                                         "-",
                                         "mnuFileSave|&Save|Ctrl+S",
                                         "mnuFileSaveAs|Save &As|Ctrl+A",
                                         "-",
                                         "mnuFilePrint|&Print|Ctrl+P",
                                         "-",
                                         "mnuFileReturn|&Return to Main Menu|Ctrl+R",
                                         "-",
                                         "mnuFileExit|E&xit|"};
    QTest::newRow("Edit") << "mnuEdit"
                          << "&Edit"
                          << QStringList{
                                 "mnuEditCut|Cu&t|Ctrl+X",     "mnuEditCopy|&Copy|Ctrl+C",
                                 "mnuEditPaste|&Paste|Ctrl+V", "-",
                                 "mnuEditFind|&Find|Ctrl+F",   "mnuEditFindNext|Find &Next|F3",
                                 "-",                          "mnuEditSpelling|Check &Spelling...|F7"};
    QTest::newRow("Options") << "mnuOptions"
                             << "&Options"
                             << QStringList{"mnuOptionsFont|Font|Ctrl+T",
                                            "mnuOptionsColor|Color|Ctrl+L"};
    QTest::newRow("Book") << "mnuBook"
                          << "&Book"
                          << QStringList{"mnuBookPrint|Print the &Whole Story...|",
                                         "mnuBookPreview|Print Pre&view...|",
                                         "mnuBookPdf|Save as P&DF...|"};
    QTest::newRow("Insert") << "mnuInsert"
                            << "&Insert" << QStringList{"mnuInsertPhoto|&Photo...|"};
}

void WindowTest::menus() {
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QStringList, entries);
    EditorFixture f;
    TextEditor* editor = f.openEditor();
    const QList<QAction*> bar = editor->menuBar()->actions();
    QCOMPARE(bar.size(), 5);
    const int index =
        QStringList{"mnuFile", "mnuEdit", "mnuOptions", "mnuBook", "mnuInsert"}.indexOf(menu);
    QCOMPARE(bar[index]->objectName(), menu);
    QCOMPARE(bar[index]->text(), caption);
    const QList<QAction*> actions = bar[index]->menu()->actions();
    QCOMPARE(actions.size(), entries.size());
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i] == u"-") {
            QVERIFY(actions[i]->isSeparator());
            continue;
        }
        const QStringList parts = entries[i].split(u'|');
        QCOMPARE(actions[i]->objectName(), parts[0]);
        QCOMPARE(actions[i]->text(), parts[1]);
        QCOMPARE(actions[i]->shortcut(), QKeySequence(parts[2]));
        QVERIFY(actions[i]->isEnabled());
    }
}

void WindowTest::windowAndTextAreaSizes() {
    EditorFixture f;
    TextEditor* editor = f.openEditor();
    QVERIFY(editor->windowFlags() & Qt::WindowMaximizeButtonHint);
    QCOMPARE(editor->centralWidget()->size(), QSize(454, 333));  // 6810 by 4995 twips
    QCOMPARE(f.text()->geometry(), QRect(8, 8, 438, 317));
    QCOMPARE(f.text()->objectName(), QStringLiteral("txtEdit"));
    QCOMPARE(editor->objectName(), QStringLiteral("frmTxtEditor"));
    const editor::SelectionFormat format = formatAt(f.text(), 0, 10);
    QCOMPARE(format.family.value_or(QString()).toLower(), QStringLiteral("arial"));
    QCOMPARE(format.pointSize.value_or(0), 12.0);
    QCOMPARE(format.bold, std::optional(false));
}

// The text area and its scroll bar lie wholly in the window below the menu
// bar, 120 twips in from each edge of the client area, at every size.
void WindowTest::textAreaFollowsTheWindow() {
    EditorFixture f;
    TextEditor* editor = f.openEditor();
    const auto misplaced = [&] { return textAreaMisplaced(editor, f.text()); };
    QVERIFY2(misplaced().isEmpty(), qPrintable(u"opened: "_qs + misplaced()));
    const QSize opened = editor->size();
    for (const QSize size : {QSize(900, 700), QSize(300, 200)}) {
        editor->resize(size);
        QVERIFY2(misplaced().isEmpty(), qPrintable(misplaced()));
    }
    editor->resize(opened);
    editor->showMaximized();
    QTRY_VERIFY(editor->isMaximized());
    QTRY_VERIFY(editor->width() > opened.width() && editor->height() > opened.height());
    QVERIFY2(misplaced().isEmpty(), qPrintable(u"maximised: "_qs + misplaced()));
    editor->showNormal();
    QTRY_COMPARE(editor->size(), opened);
    QTRY_VERIFY2(misplaced().isEmpty(), qPrintable(u"restored: "_qs + misplaced()));
}

// Ctrl+A is Save As here, not Select All; a disabled Copy leaves Ctrl+C idle.
void WindowTest::menuKeysRunMenuCommands() {
    EditorFixture f;
    TextEditor* editor = f.openEditor();
    editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    f.text()->setFocus();

    QTest::keyClick(f.text(), Qt::Key_A, Qt::ControlModifier);
    QVERIFY(f.noteShown());
    QVERIFY(!f.text()->textCursor().hasSelection());
    f.closeNote();
    EditorFixture::settle();

    QMenu* edit = editor->findChild<QMenu*>(QStringLiteral("mnuEdit"));
    emit edit->aboutToShow();  // nothing selected: Copy off
    select(f.text(), 0, 9);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    f.text()->setFocus();
    QTest::keyClick(f.text(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));

    emit edit->aboutToShow();  // now Copy is on
    QTest::keyClick(f.text(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("CHILDHOOD"));

    f.dialogs.answerPrompt(QStringLiteral("school"));
    QTest::keyClick(f.text(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(f.text()->textCursor().selectedText(), QStringLiteral("school"));
    QTest::keyClick(f.text(), Qt::Key_F3);
    QCOMPARE(f.text()->textCursor().selectedText(), QStringLiteral("SCHOOL"));
}

void WindowTest::editMenuEnabling() {
    EditorFixture f;
    TextEditor* editor = f.openEditor();
    QMenu* edit = editor->findChild<QMenu*>(QStringLiteral("mnuEdit"));
    emit edit->aboutToShow();
    QVERIFY(!action(editor, "mnuEditCut")->isEnabled());
    QVERIFY(!action(editor, "mnuEditCopy")->isEnabled());
    QVERIFY(!action(editor, "mnuEditPaste")->isEnabled());
    QVERIFY(action(editor, "mnuEditFind")->isEnabled());
    QVERIFY(action(editor, "mnuEditFindNext")->isEnabled());

    // The states hold until the menu opens again.
    select(f.text(), 0, 5);
    QGuiApplication::clipboard()->setText(QStringLiteral("x"));
    QVERIFY(!action(editor, "mnuEditCopy")->isEnabled());
    emit edit->aboutToShow();
    QVERIFY(action(editor, "mnuEditCut")->isEnabled());
    QVERIFY(action(editor, "mnuEditCopy")->isEnabled());
    QVERIFY(action(editor, "mnuEditPaste")->isEnabled());
}

void WindowTest::clipboardIsPlainText() {
    EditorFixture f;
    TextEditor* editor = f.openEditor();
    // A bold red word at the start.
    select(f.text(), 0, 9);
    QTextCharFormat loud;
    loud.setFontWeight(QFont::Bold);
    loud.setForeground(QColor(Qt::red));
    f.text()->mergeCurrentCharFormat(loud);

    f.trigger("mnuEditCopy");
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(data->text(), QStringLiteral("CHILDHOOD"));
    QVERIFY(!data->hasHtml());

    // Pasted at the end, it takes the plain format found there.
    f.text()->moveCursor(QTextCursor::End);
    f.trigger("mnuEditPaste");
    const int end = f.text()->document()->characterCount() - 1;
    QVERIFY(f.text()->toPlainText().endsWith(u"CHILDHOOD"));
    const editor::SelectionFormat pasted = formatAt(f.text(), end - 9, end);
    QCOMPARE(pasted.bold, std::optional(false));
    QCOMPARE(pasted.color, std::optional(QColor(Qt::black)));

    // Cut takes the selection away, onto the clipboard.
    select(f.text(), 0, 11);
    f.trigger("mnuEditCut");
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("CHILDHOOD:\n"));
    QVERIFY(f.text()->toPlainText().startsWith(u"\nWhen you were"));
    QVERIFY(editor->files().isModified());
}

// Search positions and selection positions count line breaks alike, so a
// match after many line breaks is selected exactly.
void WindowTest::findSelectsAcrossLineBreaks() {
    EditorFixture f;
    f.openEditor();
    f.dialogs.answerPrompt(QStringLiteral("school"));
    f.trigger("mnuEditFind");
    const QTextCursor first = f.text()->textCursor();
    QCOMPARE(first.selectedText(), QStringLiteral("school"));
    QVERIFY(first.block().text().startsWith(u"Did you like school as a child?"));
    QCOMPARE(f.dialogs.requests().last().title, QStringLiteral("Find"));
    QCOMPARE(f.dialogs.requests().last().label, QStringLiteral("Find what?"));

    f.trigger("mnuEditFindNext");
    const QTextCursor second = f.text()->textCursor();
    QCOMPARE(second.selectedText(), QStringLiteral("SCHOOL"));
    QCOMPARE(second.block().text(), QStringLiteral("HIGH SCHOOL:"));
    QCOMPARE(f.program.session().searchText, QStringLiteral("school"));
}

void WindowTest::findMessages_data() {
    QTest::addColumn<QString>("document");
    QTest::addColumn<std::optional<QString>>("prompt");
    QTest::addColumn<int>("caret");  // where the caret stands before Find Next
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("selectionStart");  // -1: a message
    QTest::addColumn<QString>("message");

    const std::optional<QString> cancel;
    QTest::newRow("find absent") << "some text" << std::optional<QString>("zebra") << 0 << "find"
                                 << -1 << "Find|The search string was not found.";
    QTest::newRow("find cancelled") << "some text" << cancel << 5 << "find" << 0 << "";
    QTest::newRow("find empty") << "some text" << std::optional<QString>("") << 5 << "find" << 0
                                << "";
    QTest::newRow("find in empty document") << "" << std::optional<QString>("") << 0 << "find" << -1
                                            << "Find|The search string was not found.";
    QTest::newRow("next skips the occurrence at the caret")
        << "ab ab ab" << std::optional<QString>("ab") << 3 << "next" << 6 << "";
    QTest::newRow("next at the last one")
        << "ab ab ab" << std::optional<QString>("ab") << 6 << "next" << -1
        << "Find Next|The search has been completed.";
    QTest::newRow("next with empty text moves one on")
        << "abc" << std::optional<QString>("") << 1 << "next" << 2 << "";
}

void WindowTest::findMessages() {
    QFETCH(QString, document);
    QFETCH(std::optional<QString>, prompt);
    QFETCH(int, caret);
    QFETCH(QString, command);
    QFETCH(int, selectionStart);
    QFETCH(QString, message);
    EditorFixture f;
    f.openEditor();
    f.text()->setPlainText(document);
    if (command == u"find") {
        f.dialogs.answerPrompt(prompt);
    } else {
        f.program.session().searchText = *prompt;
    }
    select(f.text(), caret, caret);
    if (!message.isEmpty())
        f.dialogs.answerMessage(MessageButton::Ok);
    f.trigger(command == u"find" ? "mnuEditFind" : "mnuEditFindNext");

    if (message.isEmpty()) {
        QCOMPARE(f.text()->textCursor().selectionStart(), selectionStart);
        QCOMPARE(f.text()->textCursor().selectedText().size(), prompt.value_or(QString()).size());
    } else {
        const MessageRequest shown = f.dialogs.messages().last();
        QCOMPARE(shown.title + u'|' + shown.text, message);
        QCOMPARE(shown.icon, MessageIcon::Information);
        QCOMPARE(f.text()->textCursor().selectionStart(), caret);  // selection unchanged
    }
    QVERIFY(f.dialogs.allAnswersUsed());
}

void WindowTest::findNextFindsOverlappingMatches() {
    EditorFixture f;
    f.openEditor();
    f.text()->setPlainText(QStringLiteral("aaaa"));
    f.dialogs.answerPrompt(QStringLiteral("aa"));
    f.trigger("mnuEditFind");
    QList<int> starts{f.text()->textCursor().selectionStart()};
    for (int i = 0; i < 2; ++i) {
        f.trigger("mnuEditFindNext");
        starts.append(f.text()->textCursor().selectionStart());
    }
    QCOMPARE(starts, (QList<int>{0, 1, 2}));
    // Then the end is reported, every time, and the last match stays selected.
    f.dialogs.answerMessage(MessageButton::Ok);
    f.dialogs.answerMessage(MessageButton::Ok);
    f.trigger("mnuEditFindNext");
    f.trigger("mnuEditFindNext");
    QCOMPARE(f.dialogs.messages().last().text, QStringLiteral("The search has been completed."));
    QCOMPARE(f.text()->textCursor().selectionStart(), 2);
    QCOMPARE(f.text()->textCursor().selectedText(), QStringLiteral("aa"));
}

void WindowTest::searchTextOutlivesTheEditor() {
    EditorFixture f;
    f.openEditor();
    f.dialogs.answerPrompt(QStringLiteral("toys"));
    f.trigger("mnuEditFind");
    f.dialogs.answerMessage(MessageButton::No);
    f.trigger("mnuFileReturn");
    EditorFixture::settle();
    f.openEditor();
    f.trigger("mnuEditFindNext");
    QCOMPARE(f.text()->textCursor().selectedText(), QStringLiteral("toys"));
}

void WindowTest::fontOnUniformSelection() {
    EditorFixture f;
    f.openEditor();
    select(f.text(), 0, 9);
    FontChoice chosen;
    chosen.family = QStringLiteral("Liberation Serif");
    chosen.pointSize = 14;
    chosen.bold = true;
    chosen.strikeOut = true;
    f.dialogs.answerFont(chosen);
    f.trigger("mnuOptionsFont");

    // Arial is offered as the installed font the machine draws for it, with its Bold.
    const FontChoice initial = f.dialogs.requests().last().font;
    QCOMPARE(initial.family, QFontInfo(QFont(QStringLiteral("arial"))).family());
    QVERIFY2(QFontDatabase::styles(initial.family).contains(QStringLiteral("Bold")),
             qPrintable(initial.family));
    QCOMPARE(initial.pointSize, 12.0);
    QVERIFY(!initial.bold && !initial.italic && !initial.underline);

    const editor::SelectionFormat after = formatAt(f.text(), 0, 9);
    QCOMPARE(after.family, std::optional(QStringLiteral("Liberation Serif")));
    QCOMPARE(after.pointSize, std::optional(14.0));
    QCOMPARE(after.bold, std::optional(true));
    QCOMPARE(after.italic, std::optional(false));
    QVERIFY(!f.text()->document()->begin().charFormat().fontStrikeOut());
    // The rest of the line keeps Arial 12.
    QCOMPARE(formatAt(f.text(), 9, 10).pointSize, std::optional(12.0));

    // Only Bold taken in the dialog: the text keeps its own font name, Arial.
    select(f.text(), 10, 15);
    FontChoice onlyBold = initial;
    onlyBold.bold = true;
    f.dialogs.answerFont(onlyBold);
    f.trigger("mnuOptionsFont");
    QCOMPARE(formatAt(f.text(), 10, 15).family->toLower(), QStringLiteral("arial"));
    QCOMPARE(formatAt(f.text(), 10, 15).bold, std::optional(true));

    // Cancelling changes nothing.
    select(f.text(), 20, 30);
    f.dialogs.answerFont(std::nullopt);
    f.trigger("mnuOptionsFont");
    QCOMPARE(formatAt(f.text(), 20, 30).pointSize, std::optional(12.0));
}

// A selection that mixes the attribute ends the command before the dialog.
void WindowTest::fontAndColorEndOnMixedSelections_data() {
    QTest::addColumn<QString>("mix");
    QTest::addColumn<QString>("command");
    QTest::newRow("font: sizes") << "size"
                                 << "mnuOptionsFont";
    QTest::newRow("font: bold") << "bold"
                                << "mnuOptionsFont";
    QTest::newRow("font: italic") << "italic"
                                  << "mnuOptionsFont";
    QTest::newRow("font: underline") << "underline"
                                     << "mnuOptionsFont";
    QTest::newRow("font: family") << "family"
                                  << "mnuOptionsFont";
    QTest::newRow("color: colours") << "color"
                                    << "mnuOptionsColor";
}

void WindowTest::fontAndColorEndOnMixedSelections() {
    QFETCH(QString, mix);
    QFETCH(QString, command);
    EditorFixture f;
    f.openEditor();
    QTextCharFormat differs;
    if (mix == u"size")
        differs.setFontPointSize(20);
    else if (mix == u"bold")
        differs.setFontWeight(QFont::Bold);
    else if (mix == u"italic")
        differs.setFontItalic(true);
    else if (mix == u"underline")
        differs.setFontUnderline(true);
    else if (mix == u"family")
        differs.setFontFamilies({QStringLiteral("Liberation Mono")});
    else
        differs.setForeground(QColor(Qt::blue));
    select(f.text(), 0, 5);
    f.text()->mergeCurrentCharFormat(differs);
    select(f.text(), 3, 8);
    f.trigger(command.toLatin1().constData());
    QCOMPARE(f.dialogs.count(Kind::Font) + f.dialogs.count(Kind::Color), 0);

    // Within the uniform part, the dialog opens.
    select(f.text(), 0, 5);
    if (command == u"mnuOptionsFont")
        f.dialogs.answerFont(std::nullopt);
    else
        f.dialogs.answerColor(std::nullopt);
    f.trigger(command.toLatin1().constData());
    QVERIFY(f.dialogs.allAnswersUsed());
}

void WindowTest::colorMarksModifiedOnlyWhenDifferent() {
    QTemporaryDir dir;
    EditorFixture f;
    f.openEditor();
    f.trigger("mnuFileSaveAs");
    f.dialogs.answerSaveFile(dir.filePath(QStringLiteral("Story.rtf")));
    f.confirmNote();
    QVERIFY(!f.files().isModified());

    select(f.text(), 0, 9);
    f.dialogs.answerColor(QColor(Qt::black));
    f.trigger("mnuOptionsColor");
    QCOMPARE(f.dialogs.requests().last().color, QColor(Qt::black));
    QVERIFY(!f.files().isModified());

    f.dialogs.answerColor(QColor(0, 128, 0));
    f.trigger("mnuOptionsColor");
    QVERIFY(f.files().isModified());
    QCOMPARE(formatAt(f.text(), 0, 9).color, std::optional(QColor(0, 128, 0)));
}

void WindowTest::printsOnePageToPdf() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    EditorFixture f;
    f.openEditor();
    f.dialogs.answerPrint(false);
    f.trigger("mnuFilePrint");
    QVERIFY(!QFile::exists(pdf));

    f.dialogs.answerPrint(true, pdf);
    f.trigger("mnuFilePrint");
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.contains("/Count 1"));
    QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 1);
    QVERIFY(f.dialogs.allAnswersUsed());
}

QTEST_MAIN(WindowTest)
#include "test_window.moc"
