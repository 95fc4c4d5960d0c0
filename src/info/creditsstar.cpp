#include "info/creditsstar.h"

#include <QPolygon>
#include <cmath>

namespace vellumora::creditsstar {

namespace {

constexpr int kCornerCount = 26;

// cos and sin in double precision, rounded to the nearest integer with
// halves going to the even neighbour (the default rounding mode of rint).
QPoint onEllipse(float angle, double radiusX, double radiusY) {
    const double t = angle;
    return {int(std::rint(kCentre.x() + radiusX * std::cos(t))),
            int(std::rint(kCentre.y() + radiusY * std::sin(t)))};
}

}  // namespace

QList<QPoint> points() {
    // The angle and its step stay in single precision on purpose: the corners
    // are defined by that stepping, and double steps would move some of them
    // by a pixel.
    float angle = 3.14159265f / 2;
    const float step = 6.2831853f / kCornerCount;
    QList<QPoint> corners;
    corners.reserve(kCornerCount);
    for (int i = 0; i < kCornerCount / 2; ++i) {
        corners.append(onEllipse(angle, 100, 75));
        angle += step;
        corners.append(onEllipse(angle, 200, 150));
        angle += step;
    }
    return corners;
}

QRegion region() {
    return QRegion(QPolygon(points()), Qt::OddEvenFill);
}

}  // namespace vellumora::creditsstar
