#include "shell/recovery.h"

#include "files/userplaces.h"
#include "rtf/rtfwriter.h"
#include "shell/remembered.h"
#include "shell/screenmanager.h"
#include "store/answerstore.h"
#include "store/datafile.h"
#include "store/recoveryfolder.h"

#include <QDir>
#include <QStandardPaths>
#include <QTextDocument>

namespace vellumora {

RecoveryPlaces RecoveryPlaces::standard() {
    return {QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                QStringLiteral("/recovery"),
            files::documentsFolder()};
}

Recovery::Recovery(AnswerStore& store) : store_(store) {
    // Several changes in one handler (a page's Save, a whole data file) make
    // one copy, written as soon as the handler is done.
    answersTimer_.setSingleShot(true);
    answersTimer_.setInterval(0);
    connect(&answersTimer_, &QTimer::timeout, this, &Recovery::keepAnswers);
    documentTimer_.setSingleShot(true);
    documentTimer_.setInterval(kDocumentDelay);
    connect(&documentTimer_, &QTimer::timeout, this, &Recovery::keepDocument);
    connect(&store_, &AnswerStore::answerChanged, this, &Recovery::answersChanged);
    connect(&store_, &AnswerStore::answersReplaced, this, &Recovery::answersChanged);
    writer_.setMaxThreadCount(1);
}

Recovery::~Recovery() {
    writer_.waitForDone();
}

void Recovery::follow(ScreenManager& screens) {
    connect(&screens, &ScreenManager::ending, this, &Recovery::programEnding);
}

void Recovery::keepCopiesIn(const RecoveryPlaces& places) {
    places_ = places;
}

void Recovery::setDocumentDelay(std::chrono::milliseconds delay) {
    documentTimer_.setInterval(delay);
}

QString Recovery::folder() const {
    return folder_ ? folder_->path() : QString();
}

// --- Keeping copies ---

void Recovery::answersChanged() {
    if (isOn() && !ended_ && !answersTimer_.isActive())
        answersTimer_.start();
}

void Recovery::keepAnswers() {
    answersTimer_.stop();
    RecoveryFolder* folder = ownFolder();
    if (!folder)
        return;
    writeInBackground(folder->answersFile(), {datafile::encode(store_)},
                      RecoveryFolder::kMaxAnswersBytes, &Recovery::answersKept);
}

// The pieces share the pictures' digits with the document; they never change once made.
void Recovery::writeInBackground(const QString& path, QList<QByteArray> pieces, qint64 maxBytes,
                                 void (Recovery::*kept)()) {
    writer_.start([this, path, pieces = std::move(pieces), maxBytes, kept] {
        QString error;
        const bool written = RecoveryFolder::replaceWhole(path, pieces, maxBytes, &error);
        QMetaObject::invokeMethod(
            this,
            [this, written, error, kept] {
                if (written)
                    emit(this->*kept)();
                else
                    warnOnce(error);
            },
            Qt::QueuedConnection);
    });
}

void Recovery::watchDocument(QTextDocument& document) {
    if (document_ == &document)
        return;
    documentLeft();
    if (document_)
        disconnect(document_, nullptr, this, nullptr);
    document_ = &document;
    connect(&document, &QTextDocument::contentsChanged, this, &Recovery::documentChanged);
}

// Each change starts the wait again: the copy is written once she pauses.
void Recovery::documentChanged() {
    if (isOn() && !ended_)
        documentTimer_.start();
}

void Recovery::documentLeft() {
    if (documentTimer_.isActive())
        keepDocument();
}

void Recovery::keepDocument() {
    documentTimer_.stop();
    if (!document_)
        return;
    RecoveryFolder* folder = ownFolder();
    if (!folder)
        return;
    writeInBackground(folder->documentFile(), rtf::writeRtfPieces(*document_),
                      RecoveryFolder::kMaxDocumentBytes, &Recovery::documentKept);
}

RecoveryFolder* Recovery::ownFolder() {
    if (!isOn() || ended_)
        return nullptr;
    if (!folder_) {
        QString error;
        folder_ = RecoveryFolder::create(places_.copies, &error);
        if (!folder_)
            warnOnce(error);
    }
    return folder_.get();
}

// The copies are a safety net she never asked for: when they cannot be
// written the program goes on as it always did, and says so once in its log.
void Recovery::warnOnce(const QString& reason) {
    if (std::exchange(warned_, true))
        return;
    qWarning("Vellumora keeps no recovery copy of your work: %s", qPrintable(reason));
}

// --- The data file ---

void Recovery::answersSavedToFile(const QString& dataFile) {
    answersAreIn(dataFile);
}

void Recovery::answersReadFromFile(const QString& dataFile) {
    answersAreIn(dataFile);
}

void Recovery::answersAreIn(const QString& dataFile) {
    savedRevision_ = store_.revision();
    if (isOn())
        remembered::setLastDataFile(QFileInfo(dataFile).absoluteFilePath());
}

QString Recovery::lastDataFile() const {
    return isOn() ? remembered::lastDataFile() : QString();
}

// --- The end of the program ---

void Recovery::programEnding(ProgramEnd how) {
    const bool answersInNoFile = savedRevision_ != store_.revision();
    // The editor's own exit asked about the document, never about the answers.
    const bool documentInNoFile =
        how != ProgramEnd::EditorExit && document_ && document_->isModified();
    if (answersInNoFile && answersTimer_.isActive())
        keepAnswers();
    if (documentInNoFile)
        documentLeft();
    answersTimer_.stop();
    documentTimer_.stop();
    writer_.waitForDone();  // nothing may land after the copies are gone
    if (folder_)
        keepWhatIsNotInAFile(answersInNoFile, documentInNoFile);
    ended_ = true;
    folder_.reset();
}

// What is in a file goes; what is not stays for the next start, which tells
// her that she left it, not that the program failed.
void Recovery::keepWhatIsNotInAFile(bool answers, bool document) {
    if (!answers)
        folder_->removeAnswers();
    if (!document)
        folder_->removeDocument();
    if (!folder_->hasAnswers() && !folder_->hasDocument()) {
        folder_->remove();
        return;
    }
    QString error;
    if (!folder_->markLeftAtExit(&error))
        warnOnce(error);
}

}  // namespace vellumora
