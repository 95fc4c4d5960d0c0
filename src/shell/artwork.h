#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

class QPainter;

namespace vellumora::artwork {

/// The splash screen's 274 by 53 pixel banner with the program's name.
QPixmap banner();
/// The splash screen's 237 by 138 pixel picture: an open book of memories
/// with a family tree growing from it.
QPixmap bookAndTree();
/// Draws the program's icon, a dark-blue tile with an open book and a tree of
/// hearts growing from it, into the square (0, 0, size, size). The drawing is
/// made in 256 units and scaled, so the desktop's files and the program's
/// own pictures all come from this one function.
void drawProgramIcon(QPainter& painter, qreal size);
/// The program's icon as a square image with a transparent background.
QImage programIcon(int pixels);
/// The program's icon at the sizes a window manager or task bar asks for.
QIcon programIconSet();
/// The program's 32 by 32 pixel picture on the About page: its icon.
QPixmap programPicture();

}  // namespace vellumora::artwork
