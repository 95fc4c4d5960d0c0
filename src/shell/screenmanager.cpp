#include "shell/screenmanager.h"

#include "shell/units.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

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

void ScreenManager::registerScreen(ScreenId screen, Factory factory) {
    factories_.insert(screen, std::move(factory));
}

bool ScreenManager::isRegistered(ScreenId screen) const {
    return factories_.contains(screen);
}

QList<ScreenId> ScreenManager::registeredScreens() const {
    QList<ScreenId> screens = factories_.keys();
    std::sort(screens.begin(), screens.end());
    return screens;
}

QWidget* ScreenManager::find(ScreenId screen) const {
    return screens_.value(screen).data();
}

std::optional<ScreenId> ScreenManager::idOf(const QWidget* screen) const {
    for (auto it = screens_.cbegin(); it != screens_.cend(); ++it)
        if (it.value() == screen)
            return it.key();
    return std::nullopt;
}

// Every window is named here, after its id: the one place that gives the
// screens the names outside tools find them by.
QWidget* ScreenManager::create(ScreenId id) {
    if (QWidget* existing = find(id))
        return existing;
    const auto factory = factories_.constFind(id);
    if (factory == factories_.constEnd())
        return nullptr;
    QWidget* screen = (*factory)();
    screen->setObjectName(id.objectName());
    screen->installEventFilter(this);
    screens_.insert(id, screen);
    if (!screen->property("vellumoraPlacesItself").toBool())
        centre(screen);
    return screen;
}

QWidget* ScreenManager::show(ScreenId id) {
    QWidget* screen = create(id);
    if (!screen || ended_)
        return screen;
    screen->show();
    screen->raise();
    screen->activateWindow();
    doubleClicks_.screenShown(screen);
    makeActive(screen);
    return screen;
}

void ScreenManager::handOver(QWidget* from, ScreenId to) {
    show(to);
    if (from && !ended_)
        from->hide();
}

void ScreenManager::destroy(ScreenId id) {
    QWidget* screen = find(id);
    if (!screen)
        return;
    screens_.remove(id);
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
    if (const std::optional<ScreenId> id = idOf(screen))
        emit activated(*id);
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
