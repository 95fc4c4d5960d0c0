#include "shell/screen.h"

#include "dialogs/dialogs.h"
#include "shell/units.h"

#include <QCloseEvent>

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

void Screen::handOverTo(const QString& target) {
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

}  // namespace vellumora
