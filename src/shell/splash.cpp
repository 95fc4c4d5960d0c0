#include "shell/splash.h"

#include "shell/artwork.h"
#include "shell/units.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace vellumora {

Splash::Splash(AppContext& context)
    : Screen(context, QStringLiteral("Vellumora"), QSize(4320, 3720), CloseBox::EndProgram) {
    buildArtwork();
    buildButtons();
}

void Splash::buildArtwork() {
    auto* banner = new QLabel(this);
    banner->setObjectName(QStringLiteral("Image1"));
    banner->setPixmap(artwork::banner());
    banner->setGeometry(pxRect(120, 0, 4110, 795));
    banner->setAlignment(Qt::AlignCenter);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setPixmap(artwork::bookAndTree());
    picture->setAlignment(Qt::AlignCenter);
    picture->setGeometry(pxRect(360, 720, 3615, 2130));
}

void Splash::buildButtons() {
    auto* exit = new QPushButton(QStringLiteral("E&xit"), this);
    exit->setObjectName(QStringLiteral("cmdExit"));
    exit->setToolTip(QStringLiteral("Click here to exit the program."));
    exit->setGeometry(pxRect(120, 3120, 975, 495));
    connect(exit, &QPushButton::clicked, this, [this] { context().screens.endProgram(); });

    enter_ = new QPushButton(QStringLiteral("&Enter"), this);
    enter_->setObjectName(QStringLiteral("cmdEnter"));
    enter_->setToolTip(QStringLiteral("Click here to begin."));
    enter_->setGeometry(pxRect(3240, 3120, 975, 495));
    enter_->setDefault(true);
    setDefaultButton(enter_);
    connect(enter_, &QPushButton::clicked, this, [this] { handOverTo(FixedScreen::MainMenu); });
    setTabOrder(enter_, exit);
    enter_->setFocus();
}

}  // namespace vellumora
