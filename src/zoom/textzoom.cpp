#include "zoom/textzoom.h"

#include "files/userplaces.h"

#include <algorithm>
#include <array>

namespace vellumora {

namespace {

constexpr std::array kSteps{50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};

// A value from an older or hand-edited file snaps to the nearest step.
int nearestStep(int percent) {
    return *std::min_element(kSteps.begin(), kSteps.end(), [percent](int a, int b) {
        return std::abs(a - percent) < std::abs(b - percent);
    });
}

}  // namespace

TextZoom::TextZoom(QString name, QObject* parent)
    : QObject(parent), key_(QStringLiteral("zoom/") + name) {}

int TextZoom::percent() const {
    if (percent_ == 0) {
        bool ok = false;
        const int stored = files::Settings().value(key_, kNormal).toInt(&ok);
        percent_ = ok ? nearestStep(stored) : kNormal;
    }
    return percent_;
}

void TextZoom::step(int steps) {
    const auto current = std::find(kSteps.begin(), kSteps.end(), percent());
    const auto index = std::clamp<std::ptrdiff_t>(current - kSteps.begin() + steps, 0,
                                                  std::ptrdiff_t(kSteps.size()) - 1);
    setPercent(kSteps[std::size_t(index)]);
}

void TextZoom::reset() {
    setPercent(kNormal);
}

void TextZoom::setPercent(int percent) {
    if (percent == this->percent())
        return;
    percent_ = percent;
    files::Settings().setValue(key_, percent);
    emit changed(percent);
}

}  // namespace vellumora
