#include "info/infopages.h"

#include "info/infotexts.h"

namespace vellumora::infopages {

namespace {

using Refresh = InfoPageDesign::Refresh;
using CloseBox = InfoPageDesign::CloseBox;
using Leave = InfoPageDesign::Leave;
using Colour = InfoLabel::Colour;

constexpr int kMargin = 120;

/// The "&Close" button, centred at the bottom of a client area.
InfoButton closeButton(QSize client, int top) {
    constexpr QSize kSize(1095, 495);
    return {"cmdClose", "&Close", "Click here to close this window.",
            QRect((client.width() - kSize.width()) / 2, top, kSize.width(), kSize.height())};
}

/// A label whose text is written at the page's refresh point.
InfoLabel written(const char* name, QString (*text)(), QRect twips,
                  Colour colour = Colour::DarkBlue) {
    InfoLabel label;
    label.name = name;
    label.text = text;
    label.twips = twips;
    label.colour = colour;
    return label;
}

/// A label with a fixed caption.
InfoLabel captioned(const char* name, const char* caption, QRect twips,
                    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop) {
    InfoLabel label;
    label.name = name;
    label.caption = caption;
    label.twips = twips;
    label.alignment = alignment;
    return label;
}

/// A label with a fixed caption whose click shows another screen over the page.
InfoLabel link(const char* name, const char* caption, QRect twips, const char* tooltip,
               ScreenId opens) {
    InfoLabel label = captioned(name, caption, twips);
    label.tooltip = tooltip;
    label.opens = opens;
    return label;
}

}  // namespace

const InfoPageDesign& instructions() {
    static const InfoPageDesign design{
        .screen = FixedScreen::Instructions,
        .title = QStringLiteral("Vellumora - Instructions"),
        .clientTwips = QSize(6990, 5175),
        .refresh = Refresh::OnActivation,
        .closeBox = CloseBox::AsksExit,
        .labels =
            {
                written("Label1", infotexts::instructionsIntro, QRect(kMargin, 120, 6735, 1560)),
                written("Label2", infotexts::instructionsAdvice, QRect(kMargin, 1800, 6735, 1560)),
                written("Label3", infotexts::instructionsFeedback, QRect(kMargin, 3480, 6735, 540)),
            },
        .button = {"cmdReturn", "&Return to Main Screen",
                   "Click here to return to the main screen.", QRect(2250, 4440, 2490, 495)},
    };
    return design;
}

const InfoPageDesign& about() {
    static const InfoPageDesign design{
        .screen = FixedScreen::About,
        .title = QStringLiteral("Vellumora"),
        .clientTwips = QSize(6195, 3990),
        .refresh = Refresh::OnActivation,
        .closeBox = CloseBox::AsksExit,
        .labels =
            {
                written("lblAddy", infotexts::contactBlock, QRect(1200, 360, 4755, 1680),
                        Colour::Red),
                link("Label2", "Version History", QRect(1200, 2400, 2400, 285),
                     "Click here to read the version history.", FixedScreen::VersionHistory),
            },
        .button = closeButton(QSize(6195, 3990), 3240),
    };
    return design;
}

const InfoPageDesign& versionHistory() {
    static const InfoPageDesign design{
        .screen = FixedScreen::VersionHistory,
        .title = QStringLiteral("Vellumora - Version History"),
        .clientTwips = QSize(7215, 4575),
        .refresh = Refresh::AtCreation,
        .closeBox = CloseBox::DestroysPage,
        .labels =
            {
                captioned("Label1", "Vellumora - Version History", QRect(kMargin, 120, 6975, 285),
                          Qt::AlignHCenter | Qt::AlignTop),
                written("lblVersionHx", infotexts::versionHistory, QRect(600, 600, 6375, 3000)),
            },
        .button = closeButton(QSize(7215, 4575), 3840),
        .leave = Leave::HideOnly,
    };
    return design;
}

const InfoPageDesign& distribution() {
    static const InfoPageDesign design{
        .screen = FixedScreen::Distribution,
        .title = QStringLiteral("Vellumora - Distribution Information"),
        .clientTwips = QSize(7170, 4680),
        .refresh = Refresh::AtCreation,
        .closeBox = CloseBox::AsksExit,
        .labels =
            {
                written("Label1", infotexts::distributionTerms, QRect(kMargin, 240, 6930, 2040)),
                written("Label2", infotexts::distributionContact, QRect(kMargin, 2520, 6930, 540)),
            },
        .button = closeButton(QSize(7170, 4680), 3960),
    };
    return design;
}

const InfoPageDesign& warranty() {
    static const InfoPageDesign design{
        .screen = FixedScreen::Warranty,
        .title = QStringLiteral("Vellumora - Warranty Information"),
        .clientTwips = QSize(7065, 4680),
        .refresh = Refresh::AtCreation,
        .closeBox = CloseBox::AsksExit,
        .labels =
            {
                written("Label1", infotexts::warrantyPart1, QRect(kMargin, 240, 6825, 1080)),
                written("Label2", infotexts::warrantyPart2, QRect(kMargin, 1440, 6825, 1200)),
                written("Label3", infotexts::warrantyPart3, QRect(kMargin, 2760, 6825, 840)),
            },
        .button = closeButton(QSize(7065, 4680), 3960),
    };
    return design;
}

const InfoPageDesign& shareware() {
    static const InfoPageDesign design{
        .screen = FixedScreen::Shareware,
        .title = QStringLiteral("Vellumora - Information About Shareware"),
        .clientTwips = QSize(7980, 4815),
        .refresh = Refresh::AtCreation,
        .closeBox = CloseBox::AsksExit,
        .labels =
            {
                written("Label1", infotexts::sharewarePart1, QRect(kMargin, 240, 7740, 1320)),
                written("Label2", infotexts::sharewarePart2, QRect(kMargin, 1560, 7740, 1680)),
            },
        .button = closeButton(QSize(7980, 4815), 4080),
    };
    return design;
}

}  // namespace vellumora::infopages
