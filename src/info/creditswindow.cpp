#include "info/creditswindow.h"

#include "info/creditsstar.h"
#include "info/infotexts.h"
#include "shell/look.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace vellumora {

QRect CreditsWindow::dedicationRect() {
    return {135, 90, 130, 78};
}

QRect CreditsWindow::closeRect() {
    return {163, 176, 73, 25};
}

CreditsWindow::CreditsWindow(AppContext& context)
    : Screen(context, QStringLiteral("VMRA-Credits"), QSize(6945, 5295), CloseBox::Custom) {
    // No frame: the star is all there is of the window, title bar included.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setProperty("vellumoraPlacesItself", true);
    cutToStar();
    buildDedication();
    buildClose();
    placeOverAboutPage();
}

void CreditsWindow::cutToStar() {
    QPalette face = palette();
    face.setColor(QPalette::Window, look::darkBlue());
    setPalette(face);
    setAutoFillBackground(true);
    setMask(creditsstar::region());
}

void CreditsWindow::buildDedication() {
    auto* label = new QLabel(infotexts::dedication(), this);
    label->setObjectName(QStringLiteral("Label1"));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(15.75);
    label->setFont(font);
    look::setTextColor(label, Qt::white);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(dedicationRect());
}

void CreditsWindow::buildClose() {
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setToolTip(QStringLiteral("Click here to close this window."));
    close->setFont(look::buttonFont());
    close->setGeometry(closeRect());
    connect(close, &QPushButton::clicked, this, &CreditsWindow::returnToAboutPage);
    close->setFocus();
}

// Over the About page when it is there (it always is when the picture was
// clicked), otherwise in the middle of the display.
void CreditsWindow::placeOverAboutPage() {
    QPoint centre;
    if (const QWidget* about = context().screens.find(FixedScreen::About))
        centre = about->frameGeometry().center();
    else if (const QScreen* display = QGuiApplication::primaryScreen())
        centre = display->geometry().center();
    move(centre - creditsstar::kCentre);
}

void CreditsWindow::returnToAboutPage() {
    handOverTo(FixedScreen::About);
}

bool CreditsWindow::closeRequested() {
    returnToAboutPage();
    context().screens.destroy(FixedScreen::Credits);
    return true;
}

}  // namespace vellumora
