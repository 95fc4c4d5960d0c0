#pragma once

#include "shell/screen.h"

#include <QRect>
#include <QString>
#include <optional>
#include <vector>

class QLabel;
class QPushButton;

namespace vellumora {

/// A label of an information page.
struct InfoLabel {
    enum class Colour { DarkBlue, Red };

    const char* name = nullptr;
    const char* caption = nullptr;  ///< a fixed caption set once, or nullptr
    QString (*text)() = nullptr;    ///< the text written at the page's refresh point, or nullptr
    QRect twips;                    ///< place and size in the client area
    Colour colour = Colour::DarkBlue;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    const char* tooltip = nullptr;
    std::optional<ScreenId> opens;  ///< a click shows this screen over the page
};

/// The one button that leaves an information page.
struct InfoButton {
    const char* name;
    const char* caption;
    const char* tooltip;
    QRect twips;
};

/// Everything that makes one information page.
struct InfoPageDesign {
    /// When the page writes its texts.
    enum class Refresh { OnActivation, AtCreation };
    /// What the window's close box does.
    enum class CloseBox { AsksExit, DestroysPage };
    /// What the page's own close button does.
    enum class Leave { ToMainMenu, HideOnly };

    FixedScreen screen;
    QString title;
    QSize clientTwips;
    Refresh refresh;
    CloseBox closeBox;
    std::vector<InfoLabel> labels;
    InfoButton button;
    Leave leave = Leave::ToMainMenu;
};

/**
 * A fixed-text page built from its design: labels stacked in the client area
 * and one button that leaves the page. The texts are written either each time
 * the page becomes active or once when it is created.
 */
class InfoPage : public Screen {
    Q_OBJECT

public:
    InfoPage(AppContext& context, const InfoPageDesign& design);

    void activate() override;

    QPushButton* leaveButton() const { return leaveButton_; }

protected:
    bool closeRequested() override;

private:
    struct WrittenLabel {
        QLabel* label;
        QString (*text)();
    };

    void buildLabel(const InfoLabel& row);
    void buildLeaveButton();
    void leave();
    void writeTexts();

    const InfoPageDesign& design_;
    std::vector<WrittenLabel> written_;
    QPushButton* leaveButton_ = nullptr;
};

}  // namespace vellumora
