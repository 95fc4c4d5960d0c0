#include "shell/doubleclickguard.h"

#include <QApplication>
#include <QEvent>
#include <QStyleHints>

namespace vellumora {

DoubleClickGuard::DoubleClickGuard(QObject* parent) : QObject(parent) {}

void DoubleClickGuard::screenShown(QWidget* screen) {
    // Application-wide: the event goes to the child under the mouse, which
    // a filter on the screen itself would never see.
    if (!installed_ && QCoreApplication::instance()) {
        QCoreApplication::instance()->installEventFilter(this);
        installed_ = true;
    }
    lastShown_ = screen;
    sinceShown_.start();
}

bool DoubleClickGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && isStray(watched))
        return true;
    return QObject::eventFilter(watched, event);
}

bool DoubleClickGuard::isStray(QObject* receiver) const {
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || !lastShown_ || widget->window() != lastShown_ || !sinceShown_.isValid())
        return false;
    return sinceShown_.elapsed() < QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

}  // namespace vellumora
