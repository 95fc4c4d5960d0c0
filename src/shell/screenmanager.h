#pragma once

#include "shell/doubleclickguard.h"
#include "shell/screenid.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

namespace vellumora {

/// How the program came to end, for what must outlive it.
enum class ProgramEnd {
    /// An exit she confirmed or chose outright: the exit confirmation's Yes,
    /// the main menu's Exit with Yes, the splash screen's Exit or close box.
    Confirmed,
    /// The editor's own Exit or close box, which asks about the document
    /// only, never about the answers.
    EditorExit,
};

/// The activation steps of a screen: implemented by every screen window.
class ActivationSteps {
public:
    virtual ~ActivationSteps() = default;
    /// Runs each time the screen becomes the program's active screen.
    virtual void activate() = 0;
};

/**
 * Every screen of the program by its id. A screen is created by its factory on
 * first use (and centred), then shown and hidden; destroyable screens return
 * to "not created". The manager runs a screen's activation steps when it
 * shows it and when the window system reports that the user brought another
 * of the program's screens to the front, but never twice in a row for the
 * same screen: message boxes, dialogs and other programs do not count.
 */
class ScreenManager : public QObject {
    Q_OBJECT

public:
    using Factory = std::function<QWidget*()>;

    /// endProgram is what ending the program does after every screen was
    /// hidden; the default leaves the event loop.
    explicit ScreenManager(std::function<void()> endProgram = {});
    ~ScreenManager() override;

    /// The factory builds the window; the manager names it after the id.
    void registerScreen(ScreenId screen, Factory factory);
    bool isRegistered(ScreenId screen) const;
    /// Every screen that can be shown, fixed screens first, then the chapter
    /// menus and the question pages, each in catalogue order.
    QList<ScreenId> registeredScreens() const;

    /// The screen if it is created, else nullptr.
    QWidget* find(ScreenId screen) const;
    template <typename T>
    T* findAs(ScreenId screen) const {
        return qobject_cast<T*>(find(screen));
    }

    /// Creates the screen, hidden and centred, unless it exists.
    QWidget* create(ScreenId screen);
    template <typename T>
    T* createAs(ScreenId screen) {
        return qobject_cast<T*>(create(screen));
    }
    /// Creates the screen if need be, shows it and makes it the active
    /// screen, which runs its activation steps unless it already was.
    QWidget* show(ScreenId screen);
    /// Shows the target first, then hides the screen that was left.
    void handOver(QWidget* from, ScreenId to);
    /// Destroys the screen; its next show creates and centres it afresh.
    void destroy(ScreenId screen);

    /// Ends the program at once: every screen is hidden without being asked
    /// anything, then the end hook runs.
    void endProgram(ProgramEnd how = ProgramEnd::Confirmed);
    bool hasEnded() const { return ended_; }

    /// The program's active screen, or nullptr.
    QWidget* activeScreen() const { return active_; }

signals:
    /// After a screen's activation steps ran.
    void activated(vellumora::ScreenId screen);
    /// Once, when the program starts to end, before any screen is hidden.
    void ending(ProgramEnd how);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void makeActive(QWidget* screen);
    void activateTopmostAfterHide(QWidget* hidden);
    static void centre(QWidget* screen);

    std::optional<ScreenId> idOf(const QWidget* screen) const;

    QHash<ScreenId, Factory> factories_;
    QHash<ScreenId, QPointer<QWidget>> screens_;
    QList<QPointer<QWidget>> shownOrder_;  ///< most recently activated last
    QPointer<QWidget> active_;
    std::function<void()> endProgram_;
    bool ended_ = false;
    DoubleClickGuard doubleClicks_;
};

}  // namespace vellumora
