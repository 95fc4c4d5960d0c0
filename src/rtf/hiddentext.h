#pragma once

#include <QTextCharFormat>

namespace vellumora::rtf {

/**
 * Text a file marks hidden (\v) stays in the document, so that a save writes
 * it back as it came, marked by this character format property. A text
 * document cannot leave characters out of its layout, so hidden text is shown
 * as Word shows it with hidden text on: in place, but set apart, here by a
 * faint tint behind it, which the writer does not write.
 */
inline constexpr int kHiddenTextProperty = QTextFormat::UserProperty + 0x5276;  // "Rv"

inline bool isHiddenText(const QTextFormat& format) {
    return format.boolProperty(kHiddenTextProperty);
}

inline void markHiddenText(QTextCharFormat& format) {
    format.setProperty(kHiddenTextProperty, true);
    format.setBackground(QColor(128, 128, 128, 48));
}

/// The format with the hidden mark and its tint taken off.
inline QTextCharFormat withoutHiddenText(QTextCharFormat format) {
    format.clearProperty(kHiddenTextProperty);
    format.clearBackground();
    return format;
}

}  // namespace vellumora::rtf
