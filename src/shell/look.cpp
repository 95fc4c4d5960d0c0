#include "shell/look.h"

#include "shell/units.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
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

void styleWording(QLabel* label) {
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    styleLabel(label);
}

int wrappedHeightTwips(const QLabel* label, int widthTwips) {
    return label->heightForWidth(px(widthTwips)) * kTwipsPerPixel;
}

void frameWhileFocused(QWidget* box) {
    // The padding gives way to the wider frame, so the text does not move.
    box->setStyleSheet(QStringLiteral(
        "QAbstractScrollArea { border: 1px solid rgb(160,160,160); padding: 1px; } "
        "QAbstractScrollArea:focus { border: 2px solid palette(highlight); padding: 0px; }"));
}

QString withoutAccessKey(const QString& caption) {
    QString spoken;
    spoken.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        else if (caption[i] == u'&')
            continue;
        spoken += caption[i];
    }
    return spoken;
}

}  // namespace vellumora::look

namespace vellumora {

namespace {

// What assistive technology sees of a label that works as a button: its name
// (the text, or the accessible name a picture is given) and a press action.
class PressableLabelAccessible : public QAccessibleWidget {
public:
    explicit PressableLabelAccessible(ClickableLabel* label)
        : QAccessibleWidget(label, QAccessible::Button) {}

    QString text(QAccessible::Text kind) const override {
        QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty())
            text = look::withoutAccessKey(label()->text());
        return text;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            label()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    ClickableLabel* label() const { return static_cast<ClickableLabel*>(widget()); }
};

QAccessibleInterface* pressableLabelFactory(const QString&, QObject* object) {
    auto* label = qobject_cast<ClickableLabel*>(object);
    if (label && label->isReachableByKeyboard())
        return new PressableLabelAccessible(label);
    return nullptr;
}

}  // namespace

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

void ClickableLabel::makeReachableByKeyboard() {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&pressableLabelFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setFocusPolicy(Qt::StrongFocus);
    // Giving the label a name already made it a description that says
    // "picture" or "text"; the next question must find the button.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(this))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
                event->accept();
                click();
                return;
            }
            break;
        default:
            break;
    }
    QLabel::keyPressEvent(event);
}

// A focused label is framed in the highlight colour, as a focused button is.
void ClickableLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

SquareButton::SquareButton(Face face, QWidget* parent) : QPushButton(parent) {
    setFlat(true);
    setAutoFillBackground(true);
    setFixedSize(pxSize(255, 255));
    // The style sheet paints the face on every style, flat or not.
    // A focused square gets a wide bright frame; a thin dotted one is lost
    // on so small and dark a face.
    setStyleSheet(QStringLiteral("QPushButton { background-color: rgb(0,0,128); border: 1px solid "
                                 "rgb(0,0,80); } QPushButton:focus { border: 2px solid %1; }")
                      .arg(focusColor().name()));
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

void MarkPair::describe(const QString& plainName, const QString& plainDescription,
                        const QString& markedName, const QString& markedDescription) {
    plain_->setAccessibleName(plainName);
    plain_->setAccessibleDescription(plainDescription);
    marked_->setAccessibleName(markedName);
    marked_->setAccessibleDescription(markedDescription);
}

void MarkPair::mark() {
    const bool plainHadFocus = plain_->window()->focusWidget() == plain_;
    marked_->show();
    if (plainHadFocus)
        marked_->setFocus();
    plain_->hide();
}

}  // namespace vellumora
