#include "editor/documentfiles.h"

#include "dialogs/dialogs.h"
#include "editor/documentopening.h"
#include "rtf/rtffile.h"
#include "shell/appcontext.h"
#include "shell/screenmanager.h"

#include <QDir>
#include <QTextDocument>
#include <QWidget>

namespace vellumora {

namespace {

constexpr ScreenId kEditor = FixedScreen::TextEditor;
constexpr ScreenId kMainMenu = FixedScreen::MainMenu;

}  // namespace

DocumentFiles::DocumentFiles(AppContext& context, QWidget& window, QTextDocument& document)
    : context_(context), window_(window), document_(document), flow_(context, window, document) {
    // A freshly made editor counts as unsaved, as does every change after.
    document_.setModified(true);
    connect(&document_, &QTextDocument::contentsChanged, this, &DocumentFiles::markModified);
    connect(&flow_, &SaveFlow::titleChanged, this, &DocumentFiles::titleChanged);
    connect(&flow_, &SaveFlow::waitingSaveEnded, this, &DocumentFiles::resume);
}

bool DocumentFiles::isModified() const {
    return document_.isModified();
}

void DocumentFiles::markModified() {
    document_.setModified(true);
}

// --- Open ---

void DocumentFiles::open() {
    if (isModified() && !askToSave(SaveFlow::Behind::Open))
        return;
    chooseAndLoad();
}

void DocumentFiles::chooseAndLoad() {
    FileRequest request;
    request.filters = {QStringLiteral("Rich Text Files (*.rtf)"),
                       QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*)")};
    if (const std::optional<QString> path = context_.dialogs.openFile(&window_, request))
        load(*path);
}

void DocumentFiles::load(const QString& path) {
    QString error;
    rtf::NotKept notKept;
    if (!editor::openDocumentFile(context_.dialogs, window_, path, document_, &error, &notKept)) {
        reportFailure(context_.dialogs, &window_,
                      QStringLiteral("The document \"%1\" could not be opened.  %2")
                          .arg(QDir::toNativeSeparators(path), error));
        return;
    }
    document_.setModified(false);
    returnRequest_ = ReturnRequest::Opened;
    flow_.nameAfterOpen(path, notKept);
}

// --- Save and Save As ---

void DocumentFiles::save() {
    flow_.save();
}

void DocumentFiles::saveAs() {
    flow_.saveAs();
}

// --- The save prompt and closing ---

bool DocumentFiles::askToSave(SaveFlow::Behind then) {
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
    switch (flow_.save(then)) {
        case SaveFlow::Result::Completed:
            return true;
        case SaveFlow::Result::WaitingForNote:
            return false;
        case SaveFlow::Result::NotCompleted:
            if (then == SaveFlow::Behind::Close)
                finishClose(/*abandoned=*/true);
            return false;
    }
    return false;
}

void DocumentFiles::resume(SaveFlow::Behind behind, bool saveCompleted) {
    if (behind == SaveFlow::Behind::Open && saveCompleted)
        chooseAndLoad();
    else if (behind == SaveFlow::Behind::Close)
        finishClose(/*abandoned=*/!saveCompleted);
}

void DocumentFiles::returnToMainMenu() {
    returnRequest_ = ReturnRequest::ToMainMenu;
    requestClose();
}

void DocumentFiles::requestClose() {
    if (isModified() && !askToSave(SaveFlow::Behind::Close))
        return;
    finishClose(/*abandoned=*/false);
}

// A Return goes back to the main menu even when its save did not complete;
// only then the editor stays alive, hidden, with its document. Either way
// the save note goes with the editor: left open over the main menu, its OK
// would save a document that is no longer shown, or no longer exists.
void DocumentFiles::finishClose(bool abandoned) {
    if (returnRequest_ != ReturnRequest::ToMainMenu) {
        if (!abandoned)
            context_.screens.endProgram(ProgramEnd::EditorExit);
        return;
    }
    context_.screens.handOver(&window_, kMainMenu);
    flow_.dropNote();
    if (!abandoned)
        context_.screens.destroy(kEditor);
}

}  // namespace vellumora
