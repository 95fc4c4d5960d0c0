#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <functional>

namespace vellumora::look {

/// The dark blue of labels and of the square buttons' faces.
inline QColor darkBlue() {
    return {0, 0, 128};
}
/// The red of the contact block and the save note's warnings.
inline QColor warningRed() {
    return {192, 0, 0};
}

/// Bold Arial 9.75 pt, the font of every label.
QFont labelFont();
/// "MS Sans Serif" 8.25 pt, the font of the plain push buttons.
QFont buttonFont();

/// Gives a label the common look: bold Arial 9.75 pt in dark blue.
void styleLabel(QLabel* label);
/// Sets a widget's text colour through its own palette only.
void setTextColor(QWidget* widget, const QColor& color);

/// The 13 by 12 pixel red tick on dark blue that a marked button shows.
QPixmap tickPicture();

/// A label of wording in the common look, plain text wrapped from the top
/// left: a question on a menu or a page.
void styleWording(QLabel* label);
/// How tall, in twips, a wrapped label must be to show all of its text at
/// the given width.
int wrappedHeightTwips(const QLabel* label, int widthTwips);

/// Frames a text box in the highlight colour while it has the keyboard; the
/// caret alone is easy to miss in an empty box.
void frameWhileFocused(QWidget* box);

/// A caption as it is read aloud: "&&" becomes "&", a single "&" goes.
QString withoutAccessKey(const QString& caption);

}  // namespace vellumora::look

namespace vellumora {

/**
 * A label that reacts to a click, as the menus' entries do. A label with no
 * button beside it can be made reachable by keyboard: it then takes the focus
 * with Tab, shows it, answers Space and Enter like a button, and presents
 * itself to assistive technology as a link that can be pressed.
 */
class ClickableLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

    void makeReachableByKeyboard();
    bool isReachableByKeyboard() const { return focusPolicy() != Qt::NoFocus; }
    void click() { emit clicked(); }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

/// The flat 255-twip square with a dark-blue face, plain or with the tick.
class SquareButton : public QPushButton {
    Q_OBJECT

public:
    enum class Face { Plain, Ticked };
    explicit SquareButton(Face face, QWidget* parent = nullptr);

    /// The focused square's frame: bright enough to be seen on dark blue.
    static QColor focusColor() { return {255, 200, 0}; }
};

/**
 * A square and its marked twin at the same place: marking shows the twin,
 * with its tick, then hides the plain square, and is never undone.
 */
class MarkPair {
public:
    /// Both buttons are children of parent at the given place (twips), named
    /// name and name + "2"; either click runs onClick.
    MarkPair(QWidget* parent, const QString& name, QPoint topLeftTwips,
             const std::function<void()>& onClick);

    /// Shows the marked twin; a keyboard user who was on the plain square
    /// stays on the same place, now on its twin.
    void mark();
    /// What a screen reader says of each square: they have no caption.
    void describe(const QString& plainName, const QString& plainDescription,
                  const QString& markedName, const QString& markedDescription);
    bool isMarked() const { return marked_->isVisibleTo(marked_->parentWidget()); }
    SquareButton* plain() const { return plain_; }
    SquareButton* marked() const { return marked_; }

private:
    SquareButton* plain_;
    SquareButton* marked_;
};

}  // namespace vellumora
