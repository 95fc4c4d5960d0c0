#pragma once

#include <QPixmap>

namespace vellumora::artwork {

/// The splash screen's 274 by 53 pixel banner with the program's name.
QPixmap banner();
/// The splash screen's 237 by 138 pixel picture: an open book of memories
/// with a family tree growing from it.
QPixmap bookAndTree();
/// The program's 32 by 32 pixel picture, also its window icon.
QPixmap programPicture();

}  // namespace vellumora::artwork
