#include "editor/documentfiles.h"

#include "dialogs/dialogs.h"
#include "editor/documentopening.h"
#include "rtf/rtffile.h"
#include "shell/appcontext.h"
#include "shell/screenmanager.h"
#include "shell/session.h"
#include "store/datafile.h"

#include <QDir>
#include <QTextDocument>
#include <QWidget>
#include <utility>

namespace vellumora {

namespace {

const QString kEditor = QStringLiteral("frmTxtEditor");
const QString kSaveNote = QStringLiteral("frmNote");
const QString kMainMenu = QStringLiteral("frmMain");
const QString kTitleSuffix = QStringLiteral(" - Text Editor");

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

DocumentFiles::DocumentFiles(AppContext& context, QWidget& window, QTextDocument& document)
    : context_(context), window_(window), document_(document), title_(defaultTitle()) {}

QString DocumentFiles::defaultTitle() {
    return QStringLiteral("Vellumora - Text Editor");
}

void DocumentFiles::setTitle(const QString& title) {
    title_ = title;
    emit titleChanged(title_);
}

void DocumentFiles::report(const QString& text) {
    const MessageRequest request{
        .title = QStringLiteral("Vellumora"), .text = text, .icon = MessageIcon::Warning};
    context_.dialogs.message(&window_, request);
}

// --- Open ---

void DocumentFiles::open() {
    if (modified_ && !askToSave(Waiting::Open))
        return;
    chooseAndLoad();
}

void DocumentFiles::chooseAndLoad() {
    FileRequest request;
    request.filters = {QStringLiteral("Rich Text Files (*.rtf)"),
                       QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*)")};
    const std::optional<QString> path = context_.dialogs.openFile(&window_, request);
    if (!path)
        return;
    QString error;
    if (!editor::openDocumentFile(context_.dialogs, window_, *path, document_, &error)) {
        report(QStringLiteral("The document \"%1\" could not be opened.  %2")
                   .arg(shown(*path), error));
        return;
    }
    modified_ = false;
    returnRequest_ = ReturnRequest::Opened;
    currentFile_ = *path;
    setTitle(*path + kTitleSuffix);
}

// --- Save and Save As ---

void DocumentFiles::save() {
    saveNow();
}

// Save on a document that has no name yet is a Save As.
DocumentFiles::SaveOutcome DocumentFiles::saveNow() {
    if (title_ == defaultTitle()) {
        saveAs();
        return SaveOutcome::WaitingForNote;
    }
    context_.session.noteAcknowledged = false;
    noteReminder_ = false;
    context_.session.pendingSave = PendingSave::Save;
    return savingData() ? SaveOutcome::Completed : SaveOutcome::NotCompleted;
}

void DocumentFiles::saveAs() {
    context_.session.noteAcknowledged = false;
    noteReminder_ = false;
    context_.session.pendingSave = PendingSave::SaveAs;
    showSaveNote();
}

void DocumentFiles::showSaveNote() {
    context_.screens.show(kSaveNote);
}

bool DocumentFiles::isSaveNoteShown() const {
    const QWidget* note = context_.screens.find(kSaveNote);
    return note && note->isVisible();
}

bool DocumentFiles::savingData() {
    noteReminder_ = false;
    return saveEnded(writeBothFiles(currentFile_));
}

bool DocumentFiles::savingDataAs() {
    noteReminder_ = false;
    FileRequest request;
    request.filters = {QStringLiteral("Rich Text Files (*.rtf)")};
    // The dialog proposes the last name used; a name typed without an
    // extension is used exactly as typed.
    request.fileName = currentFile_;
    request.confirmOverwrite = true;
    request.folderMustExist = true;
    const std::optional<QString> path = context_.dialogs.saveFile(&window_, request);
    if (!path)
        return saveEnded(false);
    currentFile_ = *path;
    if (!writeBothFiles(currentFile_))
        return saveEnded(false);
    setTitle(currentFile_ + kTitleSuffix);
    return saveEnded(true);
}

// The document first, then the answers beside it. A failure is told at once;
// the document written before a failing data file stays on disk.
bool DocumentFiles::writeBothFiles(const QString& path) {
    QString error;
    if (!rtf::saveDocumentFile(path, document_, &error)) {
        report(QStringLiteral("The document could not be saved as \"%1\".  %2")
                   .arg(shown(path), error));
        return false;
    }
    context_.session.documentPath = path;
    if (!datafile::saveDataFile(path, context_.store, &error)) {
        report(QStringLiteral("%1\n\nThe document itself was saved as \"%2\".")
                   .arg(error, shown(path)));
        return false;
    }
    return true;
}

bool DocumentFiles::saveEnded(bool completed) {
    if (completed)
        modified_ = false;
    saveCancelled_ = !completed;
    return completed;
}

// --- The activation steps around a pending save ---

std::optional<bool> DocumentFiles::runPendingSave() {
    Session& session = context_.session;
    std::optional<bool> completed;
    if (session.noteAcknowledged && session.pendingSave == PendingSave::Save)
        completed = savingData();
    else if (session.noteAcknowledged && session.pendingSave == PendingSave::SaveAs)
        completed = savingDataAs();
    if (completed) {
        session.noteAcknowledged = false;
        noteReminder_ = false;
        return completed;
    }
    // Back here without the note and without its confirmation: the note was
    // closed, and the save that something waits for is dropped.
    if (waiting_ != Waiting::Nothing && !isSaveNoteShown())
        return saveEnded(false);
    return std::nullopt;
}

void DocumentFiles::endActivation(std::optional<bool> endedSave) {
    noteReminder_ = true;
    if (endedSave && waiting_ != Waiting::Nothing)
        resume(std::exchange(waiting_, Waiting::Nothing), *endedSave);
}

// --- The save prompt and closing ---

bool DocumentFiles::askToSave(Waiting then) {
    const MessageRequest request{
        .title = QStringLiteral("Vellumora"),
        .text = QStringLiteral("Do you want to save the current document?"),
        .icon = MessageIcon::Warning,
        .buttons = MessageButtons::YesNoCancel,
        .defaultButton = MessageButton::Cancel};
    switch (context_.dialogs.message(&window_, request)) {
        case MessageButton::No:
            return true;
        case MessageButton::Yes:
            break;
        default:
            return false;
    }
    switch (saveNow()) {
        case SaveOutcome::Completed:
            return true;
        case SaveOutcome::WaitingForNote:
            waiting_ = then;
            return false;
        case SaveOutcome::NotCompleted:
            if (then == Waiting::Close)
                finishClose(/*abandoned=*/true);
            return false;
    }
    return false;
}

void DocumentFiles::resume(Waiting waiting, bool saveCompleted) {
    if (waiting == Waiting::Open && saveCompleted)
        chooseAndLoad();
    else if (waiting == Waiting::Close)
        finishClose(/*abandoned=*/!saveCompleted);
}

void DocumentFiles::returnToMainMenu() {
    returnRequest_ = ReturnRequest::ToMainMenu;
    requestClose();
}

void DocumentFiles::requestClose() {
    if (modified_ && !askToSave(Waiting::Close))
        return;
    finishClose(/*abandoned=*/false);
}

// A Return goes back to the main menu even when its save did not complete;
// only then the editor stays alive, hidden, with its document.
void DocumentFiles::finishClose(bool abandoned) {
    if (returnRequest_ != ReturnRequest::ToMainMenu) {
        if (!abandoned)
            context_.screens.endProgram();
        return;
    }
    context_.screens.handOver(&window_, kMainMenu);
    if (abandoned)
        return;
    // A note still open would save a document that no longer exists.
    context_.screens.destroy(kSaveNote);
    context_.screens.destroy(kEditor);
}

}  // namespace vellumora
