#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

namespace vellumora {

/// Screen sizes and positions are designed in twips: 15 twips are one
/// logical pixel at 96 dots per inch; Qt's high-DPI scaling does the rest.
inline constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}
inline QSize pxSize(int widthTwips, int heightTwips) {
    return {px(widthTwips), px(heightTwips)};
}
inline QPoint pxPoint(int xTwips, int yTwips) {
    return {px(xTwips), px(yTwips)};
}
inline QRect pxRect(int xTwips, int yTwips, int widthTwips, int heightTwips) {
    return {pxPoint(xTwips, yTwips), pxSize(widthTwips, heightTwips)};
}
inline QRect pxRect(const QRect& twips) {
    return pxRect(twips.x(), twips.y(), twips.width(), twips.height());
}

/**
 * Where a window of the given outer size stands when centred on a display of
 * the given size: (display - window) / 2 on each axis, in single precision,
 * neither rounded nor clamped, so a window larger than the display gets a
 * negative coordinate. Both sizes in the same unit.
 */
inline QPointF centredPosition(QSizeF window, QSizeF display) {
    const float left = (float(display.width()) - float(window.width())) / 2.0f;
    const float top = (float(display.height()) - float(window.height())) / 2.0f;
    return {left, top};
}

}  // namespace vellumora
