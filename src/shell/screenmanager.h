#pragma once

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
 * Every screen of the program by name. A screen is created by its factory on
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

    void registerScreen(const QString& name, Factory factory);
    bool isRegistered(const QString& name) const;
    /// Every screen name that can be shown, in alphabetical order.
    QStringList registeredNames() const;

    /// The screen if it is created, else nullptr.
    QWidget* find(const QString& name) const;
    template <typename T>
    T* findAs(const QString& name) const {
        return qobject_cast<T*>(find(name));
    }

    /// Creates the screen, hidden and centred, unless it exists.
    QWidget* create(const QString& name);
    /// Creates the screen if need be, shows it and makes it the active
    /// screen, which runs its activation steps unless it already was.
    QWidget* show(const QString& name);
    /// Shows the target first, then hides the screen that was left.
    void handOver(QWidget* from, const QString& to);
    /// Destroys the screen; its next show creates and centres it afresh.
    void destroy(const QString& name);

    /// Ends the program at once: every screen is hidden without being asked
    /// anything, then the end hook runs.
    void endProgram(ProgramEnd how = ProgramEnd::Confirmed);
    bool hasEnded() const { return ended_; }

    /// The program's active screen, or nullptr.
    QWidget* activeScreen() const { return active_; }

signals:
    /// After a screen's activation steps ran.
    void activated(const QString& name);
    /// Once, when the program starts to end, before any screen is hidden.
    void ending(ProgramEnd how);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void makeActive(QWidget* screen);
    void activateTopmostAfterHide(QWidget* hidden);
    static void centre(QWidget* screen);

    QHash<QString, Factory> factories_;
    QHash<QString, QPointer<QWidget>> screens_;
    QList<QPointer<QWidget>> shownOrder_;  ///< most recently activated last
    QPointer<QWidget> active_;
    std::function<void()> endProgram_;
    bool ended_ = false;
};

}  // namespace vellumora
