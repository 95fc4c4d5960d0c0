#pragma once

#include "shell/screenid.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QWidget;

namespace vellumora {

class AnswerStore;
class Dialogs;
class Recovery;
class RecoveryFolder;
class ScreenManager;
struct LeftWork;

/**
 * What the start offers her, once, right after the main menu is first shown:
 * the work that earlier runs kept because it was in no file (after a crash,
 * or after an exit that did not save it), all of it in one question; or,
 * when no such work is waiting, to go on with the data file she last saved
 * or loaded. Nothing while recovery is off.
 *
 * A copy that cannot be read whole is offered as far as it reads, or named
 * as damaged; it is never kept or dropped without a word. A folder of copies
 * that cannot be deleted once she dealt with it is named once and left
 * alone from then on.
 */
class StartOffers : public QObject {
    Q_OBJECT

public:
    StartOffers(AnswerStore& store, Dialogs& dialogs, Recovery& recovery);
    ~StartOffers() override;

    void follow(ScreenManager& screens);

signals:
    /// She wants the document that was brought back open in the editor now.
    void openInEditor(const QString& path);

private:
    void screenActivated(ScreenId screen);
    void offer();
    bool offerLeftBehind();
    bool offerLastDataFile();
    std::vector<std::unique_ptr<RecoveryFolder>> claimLeftBehind() const;
    void restore(LeftWork& work);
    QStringList saveDocuments(LeftWork& work, QStringList& told);
    void settle(LeftWork& work);
    QWidget* mainMenu() const;

    AnswerStore& store_;
    Dialogs& dialogs_;
    Recovery& recovery_;
    ScreenManager* screens_ = nullptr;
    bool offered_ = false;
};

}  // namespace vellumora
