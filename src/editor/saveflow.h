#pragma once

#include "rtf/rtfreader.h"

#include <QObject>
#include <QString>
#include <optional>

class QTextDocument;
class QWidget;

namespace vellumora {

struct AppContext;

/**
 * How the editor's document is saved, readable in one place. Every save
 * writes the document in Rich Text Format and, beside it, the data file of
 * the answers. A save without a name, and every Save As, first shows the
 * save note, which is not modal: the save runs when the note reports
 * confirmed(), and is dropped when it reports dismissed().
 *
 *     state           move                               next state
 *     Idle            save() on a named document         Writing, then Idle
 *     Idle            save() unnamed, or saveAs()        WaitingForNote
 *     WaitingForNote  the note confirmed                 Writing, then Idle
 *     WaitingForNote  the note dismissed                 Idle, nothing saved
 *     WaitingForNote  save() on a named document         Writing, then WaitingForNote
 *     WaitingForNote  saveAs()                           WaitingForNote (the note again)
 *     any             dropNote(): the editor is left     Idle, nothing saved
 *
 * While the note is up the editor stays usable; the command chosen last
 * decides what the note's confirmation runs, and the text as it stands then
 * is what is saved. An Open, a Return or a close that asked for a save
 * through the note waits behind it; when that save ends, either way,
 * waitingSaveEnded() lets it go on.
 *
 * The document has a name once an Open or a completed Save As gave it one;
 * the window's title shows that name. A Save or Save As also spares the
 * editor's next activation, the one that follows the note, the editing note.
 *
 * Writing never loses what a file holds without a word: a data file holding
 * answers that the store lacks is replaced only when the user says so (she
 * may keep it and save only the document), an opened file that held what
 * the editor cannot keep (embedded objects, drawn shapes) is written over
 * only when she says so, and a document named like its own data file
 * ("Story.dat") is refused.
 */
class SaveFlow : public QObject {
    Q_OBJECT

public:
    enum class State { Idle, WaitingForNote, Writing };
    /// What waits for the end of a save through the note.
    enum class Behind { Nothing, Open, Close };
    /// How a save asked for ended, or that it waits for the note.
    enum class Result { Completed, NotCompleted, WaitingForNote };

    SaveFlow(AppContext& context, QWidget& window, QTextDocument& document);

    State state() const { return state_; }
    Behind behind() const { return behind_; }

    /// The title of a document that has no file name yet.
    static QString defaultTitle();
    /// The window's title: the document's name, or the default title.
    QString title() const;
    /// The file a Save writes to and the save dialog proposes. A Save As
    /// that failed sets it without naming the document.
    QString currentFileName() const { return currentFile_; }
    bool hasName() const { return name_.has_value(); }

    /// An opened file names the document; notKept is what it held that the
    /// document lacks, which a save over it would lose.
    void nameAfterOpen(const QString& path, const rtf::NotKept& notKept = {});

    /// Whether the editor's activation shows the editing note: not on the
    /// first activation after a Save or Save As.
    bool editingNoteDue() const { return editingNoteDue_; }
    /// The editor's activation ended: the next one shows the editing note.
    void editorActivated() { editingNoteDue_ = true; }

    /// Save: at once under the document's name; without a name, a Save As,
    /// and `behind` then waits for it.
    Result save(Behind behind = Behind::Nothing);
    /// Save As: always through the note.
    void saveAs();
    /// The editor is left: an open note goes, and the save it waits for.
    void dropNote();

signals:
    void titleChanged(const QString& title);
    /// A save through the note ended; `completed` tells whether it was written.
    void waitingSaveEnded(SaveFlow::Behind behind, bool completed);

private:
    enum class Mode { Save, SaveAs };
    /// What the user chose when a save would lose answers of the data file.
    enum class DataFileChoice { Replace, Keep, Cancel };

    void showNote();
    void noteConfirmed();
    void noteDismissed();
    void endWaiting(bool completed);
    bool write(Mode mode);

    bool savingData();
    bool savingDataAs();
    std::optional<QString> askForName();
    bool writeFiles(const QString& path);
    bool writeDocument(const QString& path);
    bool writeBothFiles(const QString& path);
    bool ended(bool completed);
    void nameAfter(const QString& path);

    bool refusedAsItsOwnDataFile(const QString& path);
    bool mayLoseWhatTheFileHolds(const QString& path);
    DataFileChoice askBeforeLosingAnswers(const QString& path);

    AppContext& context_;
    QWidget& window_;
    QTextDocument& document_;

    State state_ = State::Idle;
    Mode mode_ = Mode::SaveAs;
    Behind behind_ = Behind::Nothing;
    std::optional<QString> name_;
    QString currentFile_;
    bool editingNoteDue_ = true;
    QString openedFile_;  ///< the file opened last, while it holds what notKept_ says
    rtf::NotKept notKept_;
};

}  // namespace vellumora
