#include "rtf/colourtable.h"

#include <algorithm>

namespace vellumora::rtf {

namespace {

int componentOf(int value) {
    return std::clamp(value, 0, 255);
}

}  // namespace

void ColourTable::setRed(int value) {
    red_ = componentOf(value);
    entryStarted_ = true;
}

void ColourTable::setGreen(int value) {
    green_ = componentOf(value);
    entryStarted_ = true;
}

void ColourTable::setBlue(int value) {
    blue_ = componentOf(value);
    entryStarted_ = true;
}

void ColourTable::appendBytes(QByteArrayView bytes) {
    for (const char c : bytes) {
        if (c == ';') {
            commitEntry();
        }
    }
}

void ColourTable::closeGroup() {
    if (entryStarted_) {
        commitEntry();
    }
}

std::optional<QRgb> ColourTable::colour(int number) const {
    // Entry 0 is the automatic colour, whatever the table says.
    if (number > 0 && std::size_t(number) < colours_.size()) {
        return colours_[std::size_t(number)];
    }
    return std::nullopt;
}

void ColourTable::commitEntry() {
    if (colours_.size() < kMaxColours) {
        colours_.push_back(entryStarted_ ? std::optional<QRgb>(qRgb(red_, green_, blue_))
                                         : std::nullopt);
    }
    red_ = green_ = blue_ = 0;
    entryStarted_ = false;
}

}  // namespace vellumora::rtf
