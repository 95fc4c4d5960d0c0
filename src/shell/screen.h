#pragma once

#include "shell/appcontext.h"
#include "shell/screenmanager.h"

#include <QWidget>
#include <vector>

class QAbstractButton;

namespace vellumora {

/// The question every listed screen asks when its window is closed.
bool confirmExit(Dialogs& dialogs, QWidget* parent);

/**
 * A fixed-size screen: a top-level window with a title bar and a close box
 * and no maximise box, its client area designed in twips. Closing it with the
 * close box asks the exit confirmation unless the screen says otherwise.
 */
class Screen : public QWidget, public ActivationSteps {
    Q_OBJECT

public:
    /// What the window's close box does.
    enum class CloseBox {
        AskExit,     ///< the exit confirmation; Yes ends the program
        EndProgram,  ///< ends the program without a question
        Custom,      ///< closeRequested() decides
    };

    Screen(AppContext& context, const QString& title, QSize clientTwips, CloseBox closeBox);

    void activate() override {}

protected:
    AppContext& context() const { return context_; }
    /// Shows the target screen, then hides this one.
    void handOverTo(ScreenId target);
    /// Tab goes from each widget to the next in the list.
    void chainTabOrder(const std::vector<QWidget*>& order);
    /// The button Enter presses when the focus is on no button.
    void setDefaultButton(QAbstractButton* button) { defaultButton_ = button; }
    /// For CloseBox::Custom: true lets the window close (hide).
    virtual bool closeRequested() { return true; }

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    AppContext& context_;
    CloseBox closeBox_;
    QAbstractButton* defaultButton_ = nullptr;
};

}  // namespace vellumora
