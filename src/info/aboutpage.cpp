#include "info/aboutpage.h"

#include "info/infopages.h"
#include "shell/artwork.h"
#include "shell/look.h"
#include "shell/units.h"

namespace vellumora {

AboutPage::AboutPage(AppContext& context) : InfoPage(context, infopages::about()) {
    buildPicture();
}

void AboutPage::buildPicture() {
    auto* picture = new ClickableLabel(QString(), this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(artwork::programPicture());
    picture->setToolTip(QStringLiteral("Click here to read the credits."));
    picture->setGeometry(pxRect(360, 360, 480, 480));
    picture->setAccessibleName(QStringLiteral("Credits"));
    picture->setAccessibleDescription(picture->toolTip());
    picture->makeReachableByKeyboard();
    // The Close button keeps the focus; Tab reaches the picture next.
    setTabOrder(leaveButton(), picture);
    connect(picture, &ClickableLabel::clicked, this, [this] { handOverTo(FixedScreen::Credits); });
}

}  // namespace vellumora
