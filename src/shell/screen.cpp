#include "shell/screen.h"

#include "dialogs/dialogs.h"
#include "shell/units.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>

namespace vellumora {

bool confirmExit(Dialogs& dialogs, QWidget* parent) {
    const MessageRequest request{
        .title = QStringLiteral("Vellumora"),
        .text = QStringLiteral(
            "Are you sure you want to exit?  Any information not saved TO A FILE will be lost."),
        .icon = MessageIcon::Warning,
        .buttons = MessageButtons::YesNo,
        .defaultButton = MessageButton::No};
    return dialogs.message(parent, request) == MessageButton::Yes;
}

Screen::Screen(AppContext& context, const QString& title, QSize clientTwips, CloseBox closeBox)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      context_(context),
      closeBox_(closeBox) {
    setWindowTitle(title);
    setFixedSize(pxSize(clientTwips.width(), clientTwips.height()));
}

void Screen::chainTabOrder(const std::vector<QWidget*>& order) {
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void Screen::handOverTo(ScreenId target) {
    context_.screens.handOver(this, target);
}

void Screen::closeEvent(QCloseEvent* event) {
    switch (closeBox_) {
        case CloseBox::AskExit:
            event->ignore();
            if (confirmExit(context_.dialogs, this))
                context_.screens.endProgram();
            return;
        case CloseBox::EndProgram:
            event->ignore();
            context_.screens.endProgram();
            return;
        case CloseBox::Custom:
            if (closeRequested())
                event->accept();
            else
                event->ignore();
            return;
    }
}

// Enter presses the focused button, as Space does, so that every command can
// be given from the keyboard; with the focus on no button, the screen's
// default button. A button passes Enter on unless it is a dialog's default,
// so it arrives here.
void Screen::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto* button = qobject_cast<QAbstractButton*>(focusWidget());
    if (!button)
        button = defaultButton_;
    if (enter && button && button->isEnabled() && !event->isAutoRepeat()) {
        event->accept();
        button->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace vellumora
