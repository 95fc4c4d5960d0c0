#pragma once

namespace vellumora::rtf {

/// The characters a text document uses for its own structure (frame marks
/// and the anchors of pictures and other objects). They stand for no text:
/// the writer leaves them out and the reader never makes them from text.
constexpr bool isStructureMark(char16_t unit) {
    return unit == 0xFDD0 || unit == 0xFDD1 || unit == 0xFFFC;
}

}  // namespace vellumora::rtf
