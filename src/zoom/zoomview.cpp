#include "zoom/zoomview.h"

#include "spelling/spellmarker.h"
#include "zoom/textzoom.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextEdit>
#include <QWheelEvent>

namespace vellumora::zoom {

namespace {

/// Which way a key moves the zoom, if it is a zoom key at all.
enum class ZoomKey { None, In, Out, Normal };

ZoomKey zoomKeyOf(const QKeyEvent* event) {
    // Shift is part of Ctrl++ on most keyboards, the keypad flag of the
    // keypad's plus and minus; neither changes the meaning.
    const Qt::KeyboardModifiers others =
        event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (others != Qt::ControlModifier)
        return ZoomKey::None;
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            return ZoomKey::In;
        case Qt::Key_Minus:
            return ZoomKey::Out;
        case Qt::Key_0:
            return ZoomKey::Normal;
        default:
            return ZoomKey::None;
    }
}

/// Turns the zoom keys and Ctrl+wheel over a text area into zoom steps.
class ZoomControls : public QObject {
public:
    ZoomControls(QAbstractScrollArea* area, TextZoom& zoom) : QObject(area), zoom_(zoom) {
        area->installEventFilter(this);
        area->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::ShortcutOverride:
                // Claimed before any shortcut of the window can take the key.
                if (zoomKeyOf(static_cast<QKeyEvent*>(event)) != ZoomKey::None) {
                    event->accept();
                    return true;
                }
                break;
            case QEvent::KeyPress:
                return onKey(static_cast<QKeyEvent*>(event));
            case QEvent::Wheel:
                return onWheel(static_cast<QWheelEvent*>(event));
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool onKey(const QKeyEvent* event) {
        switch (zoomKeyOf(event)) {
            case ZoomKey::In:
                zoom_.zoomIn();
                return true;
            case ZoomKey::Out:
                zoom_.zoomOut();
                return true;
            case ZoomKey::Normal:
                zoom_.reset();
                return true;
            case ZoomKey::None:
                return false;
        }
        return false;
    }

    // A touchpad sends small deltas; they add up to whole steps.
    bool onWheel(const QWheelEvent* event) {
        if (!(event->modifiers() & Qt::ControlModifier))
            return false;
        wheelDelta_ += event->angleDelta().y();
        const int steps = wheelDelta_ / QWheelEvent::DefaultDeltasPerStep;
        wheelDelta_ -= steps * QWheelEvent::DefaultDeltasPerStep;
        if (steps != 0)
            zoom_.step(steps);
        return true;
    }

    TextZoom& zoom_;
    int wheelDelta_ = 0;
};

/**
 * Shows a rich-text area at a zoom without touching its document: the
 * document is laid out for a screen of proportionally more dots per inch,
 * so every font, whatever size the text gives it, is drawn larger.
 */
class EditorZoomView : public QObject {
    Q_OBJECT

public:
    EditorZoomView(QTextEdit* edit, TextZoom& zoom) : QObject(edit), edit_(edit), zoom_(zoom) {
        connect(&zoom_, &TextZoom::changed, this, [this] { show(zoom_.factor()); });
        if (zoom_.percent() != TextZoom::kNormal)
            show(zoom_.factor());
    }

    void show(qreal factor) {
        if (factor == shownFactor_)
            return;
        const int topPosition = edit_->cursorForPosition(QPoint(0, 0)).position();
        QAbstractTextDocumentLayout* layout = edit_->document()->documentLayout();
        if (factor == 1.0) {
            layout->setPaintDevice(nullptr);
        } else {
            const qreal dotsPerMetre = edit_->logicalDpiY() * factor / 0.0254;
            device_ = QImage(1, 1, QImage::Format_RGB32);
            device_.setDotsPerMeterX(qRound(dotsPerMetre));
            device_.setDotsPerMeterY(qRound(dotsPerMetre));
            layout->setPaintDevice(&device_);
        }
        shownFactor_ = factor;
        edit_->document()->markContentsDirty(0, edit_->document()->characterCount());
        keepInView(topPosition);
    }

    /// Back to the zoom chosen, after a picture at normal size.
    void restore() { show(zoom_.factor()); }

private:
    // The line that was at the top stays there.
    void keepInView(int position) {
        QTextCursor cursor(edit_->document());
        cursor.setPosition(position);
        const QRect line = edit_->cursorRect(cursor);
        QScrollBar* bar = edit_->verticalScrollBar();
        bar->setValue(bar->value() + line.top());
    }

    QTextEdit* edit_;
    TextZoom& zoom_;
    QImage device_;
    qreal shownFactor_ = 1.0;
};

/// Shows a plain-text answer box at a zoom: its font is the view's own.
class BoxZoomView : public QObject {
public:
    BoxZoomView(QPlainTextEdit* box, TextZoom& zoom)
        : QObject(box), box_(box), zoom_(zoom), normalFont_(box->font()) {
        connect(&zoom_, &TextZoom::changed, this, &BoxZoomView::show);
        if (zoom_.percent() != TextZoom::kNormal)
            show();
    }

private:
    void show() {
        QFont font = normalFont_;
        font.setPointSizeF(normalFont_.pointSizeF() * zoom_.factor());
        box_->setFont(zoom_.percent() == TextZoom::kNormal ? normalFont_ : font);
    }

    QPlainTextEdit* box_;
    TextZoom& zoom_;
    QFont normalFont_;
};

}  // namespace

void attach(QTextEdit* edit, TextZoom& zoom) {
    auto* controls = new ZoomControls(edit, zoom);
    // The editor opens with no control focused; its keys then reach the window.
    if (QWidget* window = edit->window(); window != edit)
        window->installEventFilter(controls);
    new EditorZoomView(edit, zoom);
}

void attach(QPlainTextEdit* box, TextZoom& zoom) {
    new ZoomControls(box, zoom);
    new BoxZoomView(box, zoom);
}

AsDocumentWhile::AsDocumentWhile(QTextEdit& edit) : edit_(edit) {
    if (auto* view = edit_.findChild<EditorZoomView*>(QString(), Qt::FindDirectChildrenOnly))
        view->show(1.0);
    if (auto* marker = edit_.document()->findChild<spelling::SpellMarker*>())
        marker->setShown(false);
}

AsDocumentWhile::~AsDocumentWhile() {
    if (auto* view = edit_.findChild<EditorZoomView*>(QString(), Qt::FindDirectChildrenOnly))
        view->restore();
    if (auto* marker = edit_.document()->findChild<spelling::SpellMarker*>())
        marker->setShown(true);
}

}  // namespace vellumora::zoom

#include "zoomview.moc"
