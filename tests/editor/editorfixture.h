#pragma once

#include "app/program.h"
#include "editor/documentfiles.h"
#include "editor/documenttextedit.h"
#include "editor/texteditor.h"
#include "scripteddialogs.h"
#include "shell/screenmanager.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QTest>
#include <functional>

namespace vellumora::test {

/// A Dialogs that lets a test look at the program while a message is up,
/// then answers from the script.
class ObservedDialogs final : public Dialogs {
public:
    ScriptedDialogs script;
    std::function<void(const MessageRequest&)> onMessage;

    MessageButton message(QWidget* parent, const MessageRequest& request) override {
        if (onMessage)
            onMessage(request);
        return script.message(parent, request);
    }
    std::optional<QString> prompt(QWidget* p, const QString& t, const QString& l) override {
        return script.prompt(p, t, l);
    }
    std::optional<QString> openFile(QWidget* p, const FileRequest& r) override {
        return script.openFile(p, r);
    }
    std::optional<QString> saveFile(QWidget* p, const FileRequest& r) override {
        return script.saveFile(p, r);
    }
    std::optional<QString> openImage(QWidget* p, const ImageRequest& r) override {
        return script.openImage(p, r);
    }
    std::optional<FontChoice> chooseFont(QWidget* p, const FontChoice& f) override {
        return script.chooseFont(p, f);
    }
    std::optional<QColor> chooseColor(QWidget* p, const QColor& c) override {
        return script.chooseColor(p, c);
    }
    bool setUpPrinter(QWidget* p, QPrinter& printer) override {
        return script.setUpPrinter(p, printer);
    }
    void previewPrint(QWidget* p, QPrinter& printer, const PaintPages& paint) override {
        script.previewPrint(p, printer, paint);
    }
    std::optional<BookChoice> chooseBook(QWidget* p, const BookChoice& initial) override {
        return script.chooseBook(p, initial);
    }
    SpellingAnswer checkSpelling(QWidget* p, const SpellingRequest& r) override {
        return script.checkSpelling(p, r);
    }
    bool openWithDesktop(const QString& path) override { return script.openWithDesktop(path); }
    std::unique_ptr<Progress> showProgress(QWidget* p, const ProgressRequest& r) override {
        return script.showProgress(p, r);
    }
};

/// The whole program with scripted dialogs, opened on the editor.
struct EditorFixture {
    ObservedDialogs observed;
    ScriptedDialogs& dialogs = observed.script;
    bool ended = false;
    Program program{observed, [this] { ended = true; }};

    ScreenManager& screens() { return program.screens(); }

    /// Opens the editor with the main menu's entry, dismissing the editing note.
    TextEditor* openEditor() {
        screens().show(FixedScreen::MainMenu);
        dialogs.answerMessage(MessageButton::Ok);
        QWidget* mainMenu = screens().find(FixedScreen::MainMenu);
        mainMenu->findChild<QPushButton*>(QStringLiteral("cmdSaveFile"))->click();
        return editor();
    }
    TextEditor* editor() { return screens().findAs<TextEditor>(FixedScreen::TextEditor); }
    DocumentFiles& files() { return editor()->files(); }
    DocumentTextEdit* text() { return editor()->textArea(); }

    QWidget* note() { return screens().find(FixedScreen::SaveNote); }
    bool noteShown() { return note() && note()->isVisible(); }
    void confirmNote() {
        QPushButton* ok = note()->findChild<QPushButton*>(QStringLiteral("cmdOK"));
        QTest::mouseClick(ok, Qt::LeftButton);
    }
    void closeNote() { note()->close(); }

    /// Runs a menu command as the user would pick it.
    void trigger(const char* action) {
        QAction* found = editor()->findChild<QAction*>(QLatin1StringView(action));
        QVERIFY2(found, action);
        found->trigger();
    }
    /// Lets destroyed screens go.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

}  // namespace vellumora::test
