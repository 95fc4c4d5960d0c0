#pragma once

#include <QObject>
#include <QString>
#include <optional>

class QTextDocument;
class QWidget;

namespace vellumora {

struct AppContext;

/**
 * The editor's document on its way to and from the disk, and the ways out of
 * the editor: Open, Save, Save As (through the save note), the two save
 * operations, the save prompt and the closing of the editor.
 *
 * A save that goes through the non-modal save note completes later, in the
 * editor's activation steps once the note is confirmed, or never, when the
 * note is closed. An Open or a close that asked for such a save waits for it:
 * it is remembered here and resumed when that save has ended, either way.
 */
class DocumentFiles : public QObject {
    Q_OBJECT

public:
    /// What Return to Main Menu and Open leave for the closing steps.
    enum class ReturnRequest { None, ToMainMenu, Opened };

    DocumentFiles(AppContext& context, QWidget& window, QTextDocument& document);

    static QString defaultTitle();
    QString title() const { return title_; }
    QString currentFileName() const { return currentFile_; }
    bool isModified() const { return modified_; }
    bool saveWasCancelled() const { return saveCancelled_; }
    ReturnRequest returnRequest() const { return returnRequest_; }

    /// Every change of the text, and a colour change, leaves unsaved changes.
    void markModified() { modified_ = true; }

    // The File menu.
    void open();
    void save();
    void saveAs();
    void returnToMainMenu();
    /// Exit, the close box, and Return after it set its request.
    void requestClose();

    // The activation steps that concern saving, in the order the editor
    // runs them around its compilation.
    /// True when this activation shows the editing note.
    bool editingNoteDue() const { return noteReminder_; }
    /// Runs the save that a confirmed save note left pending. Returns whether
    /// a save ended in this activation (ran, or was dropped with the note)
    /// and whether it completed; nullopt when no save ended.
    std::optional<bool> runPendingSave();
    /// The last activation step; resumes an Open or close waiting for a save
    /// that has just ended.
    void endActivation(std::optional<bool> endedSave);

signals:
    void titleChanged(const QString& title);

private:
    enum class SaveOutcome { Completed, NotCompleted, WaitingForNote };
    /// What waits for a save through the note.
    enum class Waiting { Nothing, Open, Close };

    SaveOutcome saveNow();
    void showSaveNote();
    bool isSaveNoteShown() const;

    bool savingData();
    bool savingDataAs();
    bool writeBothFiles(const QString& path);
    bool saveEnded(bool completed);

    /// The save prompt; true when the caller may go on, false when it ends.
    /// A save through the note leaves `then` waiting and ends the caller.
    bool askToSave(Waiting then);
    void resume(Waiting waiting, bool saveCompleted);
    void chooseAndLoad();
    void finishClose(bool abandoned);
    void setTitle(const QString& title);
    void report(const QString& text);

    AppContext& context_;
    QWidget& window_;
    QTextDocument& document_;

    QString title_;
    QString currentFile_;
    bool modified_ = true;  // a freshly compiled document is unsaved
    bool saveCancelled_ = false;
    ReturnRequest returnRequest_ = ReturnRequest::None;
    bool noteReminder_ = true;
    Waiting waiting_ = Waiting::Nothing;
};

}  // namespace vellumora
