#pragma once

#include <QList>
#include <QPoint>
#include <QRegion>

namespace vellumora::creditsstar {

/// The star's centre, in pixels from the credits window's top-left corner.
inline constexpr QPoint kCentre(200, 150);

/**
 * The 26 corners of the thirteen-pointed star that shapes the credits window,
 * in pixels from the window's top-left corner: inner and outer corners
 * alternately, beginning with the inner corner straight below the centre.
 * Inner corners lie on an ellipse of 200 by 150 pixels, outer ones on one of
 * 400 by 300.
 */
QList<QPoint> points();

/// The star as a region (alternate fill), ready to be the window's mask.
QRegion region();

}  // namespace vellumora::creditsstar
