#include "editor/saveflow.h"

#include "dialogs/dialogs.h"
#include "editor/savenote.h"
#include "rtf/rtffile.h"
#include "shell/appcontext.h"
#include "shell/recovery.h"
#include "shell/screenmanager.h"
#include "store/answersonlyinfile.h"
#include "store/catalogue.h"
#include "store/datafile.h"

#include <QDir>
#include <QFileInfo>
#include <QTextDocument>
#include <QWidget>
#include <utility>

namespace vellumora {

namespace {

constexpr ScreenId kSaveNote = FixedScreen::SaveNote;
const QString kTitleSuffix = QStringLiteral(" - Text Editor");

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

SaveFlow::SaveFlow(AppContext& context, QWidget& window, QTextDocument& document)
    : context_(context), window_(window), document_(document) {}

QString SaveFlow::defaultTitle() {
    return QStringLiteral("Vellumora - Text Editor");
}

QString SaveFlow::title() const {
    return name_ ? *name_ + kTitleSuffix : defaultTitle();
}

void SaveFlow::nameAfterOpen(const QString& path, const rtf::NotKept& notKept) {
    currentFile_ = path;
    openedFile_ = path;
    notKept_ = notKept;
    nameAfter(path);
}

void SaveFlow::nameAfter(const QString& path) {
    name_ = path;
    emit titleChanged(title());
}

// --- The moves ---

SaveFlow::Result SaveFlow::save(Behind behind) {
    editingNoteDue_ = false;
    if (state_ == State::Writing)
        return Result::NotCompleted;
    if (!hasName()) {
        saveAs();
        // A plain Save leaves an Open or a close already waiting where it is.
        if (behind != Behind::Nothing)
            behind_ = behind;
        return Result::WaitingForNote;
    }
    return write(Mode::Save) ? Result::Completed : Result::NotCompleted;
}

void SaveFlow::saveAs() {
    editingNoteDue_ = false;
    if (state_ == State::Writing)
        return;
    mode_ = Mode::SaveAs;
    state_ = State::WaitingForNote;
    showNote();
}

void SaveFlow::showNote() {
    auto* note = context_.screens.createAs<SaveNote>(kSaveNote);
    connect(note, &SaveNote::confirmed, this, &SaveFlow::noteConfirmed, Qt::UniqueConnection);
    connect(note, &SaveNote::dismissed, this, &SaveFlow::noteDismissed, Qt::UniqueConnection);
    context_.screens.show(kSaveNote);
}

// The note has handed back to the editor, whose activation ran first.
void SaveFlow::noteConfirmed() {
    if (state_ != State::WaitingForNote)
        return;
    state_ = State::Idle;
    endWaiting(write(mode_));
}

void SaveFlow::noteDismissed() {
    if (state_ != State::WaitingForNote)
        return;
    endWaiting(ended(false));
}

void SaveFlow::endWaiting(bool completed) {
    state_ = State::Idle;
    const Behind behind = std::exchange(behind_, Behind::Nothing);
    if (behind != Behind::Nothing)
        emit waitingSaveEnded(behind, completed);
}

void SaveFlow::dropNote() {
    state_ = State::Idle;
    behind_ = Behind::Nothing;
    context_.screens.destroy(kSaveNote);
}

// A save with a name may run while the note is up; the note then still
// waits, and its confirmation runs the command chosen last.
bool SaveFlow::write(Mode mode) {
    const State after =
        state_ == State::WaitingForNote && mode == Mode::Save ? State::WaitingForNote : State::Idle;
    mode_ = mode;
    state_ = State::Writing;
    const bool completed = mode == Mode::Save ? savingData() : savingDataAs();
    state_ = after;
    return completed;
}

// --- Writing ---

bool SaveFlow::savingData() {
    if (refusedAsItsOwnDataFile(currentFile_))
        return ended(false);
    return ended(writeFiles(currentFile_));
}

bool SaveFlow::savingDataAs() {
    const std::optional<QString> path = askForName();
    if (!path)
        return ended(false);
    currentFile_ = *path;
    if (!writeFiles(currentFile_))
        return ended(false);
    nameAfter(currentFile_);
    return ended(true);
}

// The dialog proposes the last name used. A name typed without an extension
// gets ".rtf", so that the document opens as what it is, and one with an
// extension keeps it. A name whose data file would be the document itself
// is refused, and the dialog comes back.
std::optional<QString> SaveFlow::askForName() {
    FileRequest request;
    request.filters = {QStringLiteral("Rich Text Files (*.rtf)")};
    request.fileName = currentFile_;
    request.confirmOverwrite = true;
    request.folderMustExist = true;
    request.defaultSuffix = QStringLiteral("rtf");
    for (;;) {
        std::optional<QString> path = context_.dialogs.saveFile(&window_, request);
        if (!path)
            return path;
        // The dialog has added it already; a dialog that does not is met here.
        path = withDefaultSuffix(*path, request.defaultSuffix);
        if (!refusedAsItsOwnDataFile(*path))
            return path;
        request.fileName = *path;
    }
}

bool SaveFlow::writeFiles(const QString& path) {
    if (!mayLoseWhatTheFileHolds(path))
        return false;
    switch (askBeforeLosingAnswers(path)) {
        case DataFileChoice::Replace:
            return writeBothFiles(path);
        case DataFileChoice::Keep:
            return writeDocument(path);
        case DataFileChoice::Cancel:
            break;
    }
    return false;
}

// The document first, then the answers beside it. A failure is told at once;
// the document written before a failing data file stays on disk. This is the
// one place where both files have been written: when it returns true, the
// document and every answer are on disk.
bool SaveFlow::writeBothFiles(const QString& path) {
    if (!writeDocument(path))
        return false;
    QString error;
    if (!datafile::saveDataFile(path, context_.store, &error)) {
        reportFailure(context_.dialogs, &window_,
                      QStringLiteral("%1\n\nThe document itself was saved as \"%2\".")
                          .arg(error, shown(path)));
        return false;
    }
    context_.recovery.answersSavedToFile(datafile::dataFilePathFor(path));
    return true;
}

bool SaveFlow::writeDocument(const QString& path) {
    QString error;
    if (rtf::saveDocumentFile(path, document_, &error)) {
        if (QFileInfo(path) == QFileInfo(openedFile_))
            notKept_ = {};  // the file no longer holds them
        return true;
    }
    reportFailure(
        context_.dialogs, &window_,
        QStringLiteral("The document could not be saved as \"%1\".  %2").arg(shown(path), error));
    return false;
}

bool SaveFlow::ended(bool completed) {
    if (completed)
        document_.setModified(false);
    return completed;
}

// --- Questions and messages ---

// "Story.dat" would get the data file "Story.dat": the answers would replace
// the document. Case is ignored, as on the file systems that ignore it.
bool SaveFlow::refusedAsItsOwnDataFile(const QString& path) {
    if (datafile::dataFilePathFor(path).compare(path, Qt::CaseInsensitive) != 0)
        return false;
    reportFailure(
        context_.dialogs, &window_,
        QStringLiteral("The document cannot be saved as \"%1\": the data file with the answers "
                       "is saved beside it under the same name with a '.dat' extension, and "
                       "would replace it.  Please choose a name with another extension, such "
                       "as '.rtf'.")
            .arg(shown(path)));
    return true;
}

namespace {

QString counted(int count, const QString& one, const QString& many) {
    return count == 1 ? QStringLiteral("1 ") + one : QStringLiteral("%1 %2").arg(count).arg(many);
}

/// What an opened file held that the editor does not keep, in words.
QString inWords(const rtf::NotKept& notKept) {
    QStringList things;
    if (notKept.objects > 0)
        things << counted(notKept.objects, QStringLiteral("embedded object"),
                          QStringLiteral("embedded objects"));
    if (notKept.shapes > 0)
        things << counted(notKept.shapes, QStringLiteral("drawn shape"),
                          QStringLiteral("drawn shapes"));
    return things.join(QStringLiteral(" and "));
}

}  // namespace

// Saving over the file she opened would lose what the editor could not keep
// of it; keeping the file as it is is the default.
bool SaveFlow::mayLoseWhatTheFileHolds(const QString& path) {
    if (notKept_.isEmpty() || QFileInfo(path) != QFileInfo(openedFile_))
        return true;
    const MessageRequest question{
        .title = QStringLiteral("Vellumora"),
        .text = QStringLiteral(
                    "The document \"%1\" holds %2, made in another program, which this "
                    "editor cannot keep.  Saving it under its own name would lose %3 from the "
                    "file for good.  Do you want to save it anyway?  No keeps the file as it is; "
                    "Save As keeps your changes under another name.")
                    .arg(shown(path), inWords(notKept_),
                         notKept_.objects + notKept_.shapes == 1 ? QStringLiteral("it")
                                                                 : QStringLiteral("them")),
        .icon = MessageIcon::Warning,
        .buttons = MessageButtons::YesNo,
        .defaultButton = MessageButton::No};
    return context_.dialogs.message(&window_, question) == MessageButton::Yes;
}

// A data file holding answers that the text boxes no longer have (a run that
// never loaded it, say) is not replaced without asking; keeping it is the
// default.
SaveFlow::DataFileChoice SaveFlow::askBeforeLosingAnswers(const QString& path) {
    const QString dataFile = datafile::dataFilePathFor(path);
    const datafile::AnswersOnlyInFile only = datafile::answersOnlyInFile(dataFile, context_.store);
    if (only.count == 0)
        return DataFileChoice::Replace;
    const QString answers =
        only.count == 1 ? QStringLiteral("1 answer") : QStringLiteral("%1 answers").arg(only.count);
    const MessageRequest question{
        .title = QStringLiteral("Vellumora"),
        .text = QStringLiteral(
                    "The data file \"%1\" holds %2 that the text boxes do not have now.  The "
                    "first is the answer to:\n\n%3\n\nSaving would replace the data file, and "
                    "those answers would be lost.  Do you want to replace it anyway?  Yes "
                    "replaces it.  No keeps the data file as it is and saves only the document.  "
                    "Cancel saves nothing.")
                    .arg(shown(dataFile), answers,
                         QString::fromLatin1(catalogue::question(only.firstPosition).text)),
        .icon = MessageIcon::Warning,
        .buttons = MessageButtons::YesNoCancel,
        .defaultButton = MessageButton::No};
    switch (context_.dialogs.message(&window_, question)) {
        case MessageButton::Yes:
            return DataFileChoice::Replace;
        case MessageButton::No:
            return DataFileChoice::Keep;
        default:
            return DataFileChoice::Cancel;
    }
}

}  // namespace vellumora
