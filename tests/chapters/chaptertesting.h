#pragma once

// What the chapter tests share: the whole program driven through its screens
// with scripted dialogs.

#include "app/program.h"
#include "scripteddialogs.h"
#include "shell/mainmenu.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <QWidget>

namespace vellumora::test {

/// The program as a user meets it, with dialogs answered from a script and
/// the end of the program recorded instead of leaving the event loop.
struct Harness {
    ScriptedDialogs dialogs;
    bool ended = false;
    Program program{dialogs, [this] { ended = true; }};

    ScreenManager& screens() { return program.screens(); }
    AnswerStore& store() { return program.store(); }
    QString activeName() {
        QWidget* active = screens().activeScreen();
        return active ? active->objectName() : QString();
    }

    /// Shows the main menu and clicks one of its entries.
    QWidget* fromMainMenu(const QString& entryButton);
    /// Shows the main menu and clicks the chapter's square.
    QWidget* openChapterMenu(catalogue::ChapterId chapter);
};

/// A named control of a screen, or nullptr.
template <typename T = QWidget>
T* control(QWidget* screen, const QString& name) {
    return screen ? screen->findChild<T*>(name) : nullptr;
}

/// A click as the user makes it: on a button, or on a label.
inline void click(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->click();
    else
        QTest::mouseClick(widget, Qt::LeftButton);
}

inline QWidget* Harness::fromMainMenu(const QString& entryButton) {
    QWidget* main = screens().show(FixedScreen::MainMenu);
    QWidget* entry = control(main, entryButton);
    if (!entry)
        return nullptr;
    click(entry);
    return screens().activeScreen();
}

inline QWidget* Harness::openChapterMenu(catalogue::ChapterId chapter) {
    auto* main = qobject_cast<MainMenu*>(screens().show(FixedScreen::MainMenu));
    click(main->markOf(chapter)->plain());
    return screens().activeScreen();
}

/// Types the text key by key; a line break is the Return key.
inline void typeInto(QWidget* widget, const QString& text) {
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(widget, Qt::Key_Return);
        QTest::keyClicks(widget, lines[i]);
    }
}

/// A widget's rectangle in its top-level window's coordinates.
inline QRect inWindow(const QWidget* widget) {
    return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
}

/// True when a word-wrapped label shows all of its text.
inline bool showsAllItsText(const QLabel* label) {
    return label->heightForWidth(label->width()) <= label->height();
}

/// The window's focus chain, from the first of the given controls round to
/// it again, keeping only the given controls.
inline QStringList focusChainAmong(QWidget* window, const QStringList& names) {
    QWidget* start = control(window, names.first());
    QStringList chain;
    QWidget* widget = start;
    do {
        if (names.contains(widget->objectName()))
            chain.append(widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget && widget != start);
    return chain;
}

}  // namespace vellumora::test
