#include "shell/screenmanager.h"

#include "shell/units.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

namespace vellumora {

namespace {

// The window frame is not known before a window is first shown; centring
// happens at creation, so it counts with a typical title bar and border.
constexpr QMargins kTypicalFrame(4, 27, 4, 4);

}  // namespace

ScreenManager::ScreenManager(std::function<void()> endProgram)
    : endProgram_(endProgram ? std::move(endProgram) : [] { QCoreApplication::exit(0); }) {}

ScreenManager::~ScreenManager() {
    for (const QPointer<QWidget>& screen : std::as_const(screens_))
        delete screen.data();
}

void ScreenManager::registerScreen(const QString& name, Factory factory) {
    factories_.insert(name, std::move(factory));
}

bool ScreenManager::isRegistered(const QString& name) const {
    return factories_.contains(name);
}

QStringList ScreenManager::registeredNames() const {
    QStringList names = factories_.keys();
    names.sort();
    return names;
}

QWidget* ScreenManager::find(const QString& name) const {
    return screens_.value(name).data();
}

QWidget* ScreenManager::create(const QString& name) {
    if (QWidget* existing = find(name))
        return existing;
    const auto factory = factories_.constFind(name);
    if (factory == factories_.constEnd())
        return nullptr;
    QWidget* screen = (*factory)();
    screen->setObjectName(name);
    screen->installEventFilter(this);
    screens_.insert(name, screen);
    if (!screen->property("vellumoraPlacesItself").toBool())
        centre(screen);
    return screen;
}

QWidget* ScreenManager::show(const QString& name) {
    QWidget* screen = create(name);
    if (!screen || ended_)
        return screen;
    screen->show();
    screen->raise();
    screen->activateWindow();
    makeActive(screen);
    return screen;
}

void ScreenManager::handOver(QWidget* from, const QString& to) {
    show(to);
    if (from && !ended_)
        from->hide();
}

void ScreenManager::destroy(const QString& name) {
    QWidget* screen = find(name);
    if (!screen)
        return;
    screens_.remove(name);
    screen->hide();
    screen->removeEventFilter(this);
    screen->deleteLater();
}

void ScreenManager::endProgram(ProgramEnd how) {
    if (ended_)
        return;
    ended_ = true;
    emit ending(how);
    for (const QPointer<QWidget>& screen : std::as_const(screens_))
        if (screen)
            screen->hide();
    endProgram_();
}

void ScreenManager::makeActive(QWidget* screen) {
    if (active_ == screen)
        return;
    active_ = screen;
    shownOrder_.removeAll(screen);
    shownOrder_.removeAll(nullptr);
    shownOrder_.append(screen);
    if (auto* steps = dynamic_cast<ActivationSteps*>(screen))
        steps->activate();
    emit activated(screen->objectName());
}

// When the active screen disappears, the window system usually brings the
// screen beneath it to the front; doing the same here keeps it deterministic.
void ScreenManager::activateTopmostAfterHide(QWidget* hidden) {
    if (ended_ || active_ != hidden)
        return;
    active_ = nullptr;
    for (auto it = shownOrder_.crbegin(); it != shownOrder_.crend(); ++it) {
        QWidget* candidate = it->data();
        if (candidate && candidate != hidden && candidate->isVisible()) {
            makeActive(candidate);
            // The keyboard goes back to it too: not every window manager
            // passes it on, and without a mouse there is no other way back.
            candidate->activateWindow();
            return;
        }
    }
}

bool ScreenManager::eventFilter(QObject* watched, QEvent* event) {
    auto* screen = qobject_cast<QWidget*>(watched);
    if (screen && !ended_) {
        if (event->type() == QEvent::WindowActivate && screen->isVisible())
            makeActive(screen);
        else if (event->type() == QEvent::Hide)
            activateTopmostAfterHide(screen);
    }
    return QObject::eventFilter(watched, event);
}

void ScreenManager::centre(QWidget* screen) {
    const QScreen* display = QGuiApplication::primaryScreen();
    if (!display)
        return;
    const QSize outer = screen->size().grownBy(kTypicalFrame);
    const QSizeF outerTwips = QSizeF(outer) * kTwipsPerPixel;
    const QSizeF displayTwips = QSizeF(display->geometry().size()) * kTwipsPerPixel;
    const QPointF topLeftTwips = centredPosition(outerTwips, displayTwips);
    screen->move((topLeftTwips / kTwipsPerPixel).toPoint());
}

}  // namespace vellumora
