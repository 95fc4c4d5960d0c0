#include "info/infopage.h"

#include "shell/look.h"
#include "shell/units.h"

#include <QPushButton>

namespace vellumora {

namespace {

Screen::CloseBox closeBoxOf(InfoPageDesign::CloseBox closeBox) {
    return closeBox == InfoPageDesign::CloseBox::AsksExit ? Screen::CloseBox::AskExit
                                                          : Screen::CloseBox::Custom;
}

}  // namespace

InfoPage::InfoPage(AppContext& context, const InfoPageDesign& design)
    : Screen(context, design.title, design.clientTwips, closeBoxOf(design.closeBox)),
      design_(design) {
    for (const InfoLabel& row : design_.labels)
        buildLabel(row);
    buildLeaveButton();
    if (design_.refresh == InfoPageDesign::Refresh::AtCreation)
        writeTexts();
}

void InfoPage::buildLabel(const InfoLabel& row) {
    QLabel* label = nullptr;
    if (row.opens) {
        auto* link = new ClickableLabel(QString(), this);
        connect(link, &ClickableLabel::clicked, this,
                [this, target = *row.opens] { context().screens.show(target); });
        link->makeReachableByKeyboard();
        label = link;
    } else {
        label = new QLabel(this);
    }
    label->setObjectName(QLatin1StringView(row.name));
    look::styleLabel(label);
    if (row.colour == InfoLabel::Colour::Red)
        look::setTextColor(label, look::warningRed());
    label->setGeometry(pxRect(row.twips));
    label->setAlignment(row.alignment);
    label->setWordWrap(true);
    if (row.caption)
        label->setText(QString::fromLatin1(row.caption));
    if (row.tooltip)
        label->setToolTip(QString::fromLatin1(row.tooltip));
    if (row.text)
        written_.push_back({label, row.text});
}

void InfoPage::buildLeaveButton() {
    const InfoButton& row = design_.button;
    leaveButton_ = new QPushButton(QString::fromLatin1(row.caption), this);
    leaveButton_->setObjectName(QLatin1StringView(row.name));
    leaveButton_->setToolTip(QString::fromLatin1(row.tooltip));
    leaveButton_->setFont(look::buttonFont());
    leaveButton_->setGeometry(pxRect(row.twips));
    connect(leaveButton_, &QPushButton::clicked, this, &InfoPage::leave);
    leaveButton_->setFocus();
}

void InfoPage::leave() {
    if (design_.leave == InfoPageDesign::Leave::ToMainMenu)
        handOverTo(FixedScreen::MainMenu);
    else
        hide();
}

void InfoPage::activate() {
    if (design_.refresh == InfoPageDesign::Refresh::OnActivation)
        writeTexts();
}

// Only pages whose close box destroys them get here (CloseBox::Custom); the
// next opening builds them afresh.
bool InfoPage::closeRequested() {
    context().screens.destroy(design_.screen);
    return true;
}

void InfoPage::writeTexts() {
    for (const WrittenLabel& written : written_)
        written.label->setText(written.text());
}

}  // namespace vellumora
