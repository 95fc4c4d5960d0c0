#include "shell/look.h"

#include "shell/units.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

namespace vellumora::look {

QFont labelFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9.75);
    font.setBold(true);
    return font;
}

QFont buttonFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

void setTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

void styleLabel(QLabel* label) {
    label->setFont(labelFont());
    setTextColor(label, darkBlue());
}

QPixmap tickPicture() {
    QPixmap picture(13, 12);
    picture.fill(QColor(19, 6, 121));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(QColor(225, 1, 15));
    pen.setWidth(2);
    painter.setPen(pen);
    // A short stroke down to the bottom, a long one up to the right.
    painter.drawLine(2, 6, 5, 9);
    painter.drawLine(5, 9, 11, 2);
    return picture;
}

}  // namespace vellumora::look

namespace vellumora {

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit clicked();
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

SquareButton::SquareButton(Face face, QWidget* parent) : QPushButton(parent) {
    setFlat(true);
    setAutoFillBackground(true);
    setFixedSize(pxSize(255, 255));
    // The style sheet paints the face on every style, flat or not.
    setStyleSheet(
        QStringLiteral("QPushButton { background-color: rgb(0,0,128); border: 1px solid "
                       "rgb(0,0,80); } QPushButton:focus { border: 1px dotted white; }"));
    if (face == Face::Ticked) {
        setIcon(look::tickPicture());
        setIconSize(QSize(13, 12));
    }
}

MarkPair::MarkPair(QWidget* parent, const QString& name, QPoint topLeftTwips,
                   const std::function<void()>& onClick)
    : plain_(new SquareButton(SquareButton::Face::Plain, parent)),
      marked_(new SquareButton(SquareButton::Face::Ticked, parent)) {
    plain_->setObjectName(name);
    marked_->setObjectName(name + u'2');
    const QPoint at = pxPoint(topLeftTwips.x(), topLeftTwips.y());
    plain_->move(at);
    marked_->move(at);
    marked_->hide();
    QObject::connect(plain_, &QPushButton::clicked, parent, onClick);
    QObject::connect(marked_, &QPushButton::clicked, parent, onClick);
}

void MarkPair::mark() {
    marked_->show();
    plain_->hide();
}

}  // namespace vellumora
