#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace vellumora {

/**
 * Keeps the second half of a double-click from acting on a screen that its
 * first half has just shown. Qt delivers that second press as a double-click
 * event to whatever lies under the mouse, so a double-click on a main-menu
 * label (she double-clicks everything) would open the chapter menu and then
 * the question page whose label happened to be under the pointer.
 *
 * A double-click that reaches a screen within the desktop's double-click
 * interval after the screen was shown is dropped; any later one, in text
 * boxes too, passes as usual.
 */
class DoubleClickGuard : public QObject {
    Q_OBJECT

public:
    explicit DoubleClickGuard(QObject* parent = nullptr);

    /// The screen has just been shown.
    void screenShown(QWidget* screen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isStray(QObject* receiver) const;

    QPointer<QWidget> lastShown_;
    QElapsedTimer sinceShown_;
    bool installed_ = false;
};

}  // namespace vellumora
