#include "shell/recovery.h"

#include "dialogs/dialogs.h"
#include "files/filefailure.h"
#include "files/userplaces.h"
#include "files/wholefile.h"
#include "rtf/rtfwriter.h"
#include "shell/screenmanager.h"
#include "store/answerstore.h"
#include "store/datafile.h"
#include "store/recoveryfolder.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QTextDocument>
#include <cerrno>

namespace vellumora {

namespace {


int answeredCount(const AnswerStore& store) {
    int count = 0;
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        count += store.isAnswered(position) ? 1 : 0;
    return count;
}

QString answersInWords(int count) {
    return count == 1 ? QStringLiteral("1 answer") : QStringLiteral("%1 answers").arg(count);
}

QString whenInWords(const QDateTime& when) {
    const QLocale locale;
    return QStringLiteral("%1 at %2")
        .arg(locale.toString(when.date(), QLocale::LongFormat),
             locale.toString(when.time(), QLocale::ShortFormat));
}

QString question(int answers, bool document, const QDateTime& when) {
    QString kept;
    if (answers > 0 && document)
        kept = answersInWords(answers) + QStringLiteral(" and the document you were editing");
    else if (answers > 0)
        kept = answersInWords(answers);
    else
        kept = QStringLiteral("the document you were editing");
    return QStringLiteral(
               "Vellumora was not closed properly last time, but it kept %1, as they "
               "were on %2.  Do you want them back?  If you answer No, they will be "
               "deleted.")
        .arg(kept, whenInWords(when));
}

// Named after the time it was kept, so that she can tell which one it is;
// a file of that name already there is never replaced.
QString freeDocumentName(const QString& folder, const QDateTime& keptAt) {
    const QString stem =
        QStringLiteral("Vellumora story ") + keptAt.toString(QStringLiteral("yyyy-MM-dd HH.mm"));
    QString path = QDir(folder).filePath(stem + QStringLiteral(".rtf"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(folder).filePath(QStringLiteral("%1 (%2).rtf").arg(stem).arg(n));
    return path;
}

/// A kept copy's bytes, or nullopt with the reason in error.
std::optional<QByteArray> readCopy(const QString& path, QString* error) {
    QFile copy(path);
    errno = 0;
    if (copy.open(QIODevice::ReadOnly)) {
        QByteArray bytes = copy.readAll();
        if (copy.error() == QFileDevice::NoError)
            return bytes;
    }
    *error = files::failureReason(copy, errno);
    return std::nullopt;
}

/// The kept document saved in her Documents folder: its path, or nullopt
/// with the reason in error.
std::optional<QString> saveKeptDocument(const RecoveryFolder& left, const QString& documents,
                                        QString* error) {
    if (!QDir().mkpath(documents)) {
        *error = QStringLiteral("the folder cannot be made");
        return std::nullopt;
    }
    const std::optional<QByteArray> bytes = readCopy(left.documentFile(), error);
    if (!bytes)
        return std::nullopt;
    const QString target = freeDocumentName(documents, left.lastWritten());
    if (!files::replaceFile(target, *bytes, error))
        return std::nullopt;
    return target;
}

}  // namespace

RecoveryPlaces RecoveryPlaces::standard() {
    return {QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                QStringLiteral("/recovery"),
            files::documentsFolder()};
}

Recovery::Recovery(AnswerStore& store, Dialogs& dialogs) : store_(store), dialogs_(dialogs) {
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
    screens_ = &screens;
    connect(&screens, &ScreenManager::activated, this, &Recovery::screenActivated);
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
    RecoveryFolder* folder = ownFolder();
    if (!folder)
        return;
    writeInBackground(folder->answersFile(), datafile::encode(store_), &Recovery::answersKept);
}

void Recovery::writeInBackground(const QString& path, QByteArray bytes, void (Recovery::*kept)()) {
    writer_.start([this, path, bytes = std::move(bytes), kept] {
        QString error;
        const bool written = RecoveryFolder::replaceWhole(path, bytes, &error);
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
    if (!documentTimer_.isActive())
        return;
    documentTimer_.stop();
    keepDocument();
}

void Recovery::keepDocument() {
    if (!document_)
        return;
    RecoveryFolder* folder = ownFolder();
    if (!folder)
        return;
    writeInBackground(folder->documentFile(), rtf::writeRtf(*document_), &Recovery::documentKept);
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

void Recovery::answersSavedToFile() {
    savedRevision_ = store_.revision();
}

// --- The end of the program ---

void Recovery::programEnding(ProgramEnd how) {
    if (how == ProgramEnd::EditorExit && answersTimer_.isActive())
        keepAnswers();
    answersTimer_.stop();
    documentTimer_.stop();
    writer_.waitForDone();  // nothing may land after the copies are gone
    if (folder_) {
        // The editor's exit asked about the document, never about the answers.
        const bool answersAreInAFile = savedRevision_ == store_.revision();
        if (how == ProgramEnd::Confirmed || answersAreInAFile)
            folder_->remove();
        else
            folder_->removeDocument();
    }
    ended_ = true;
    folder_.reset();
}

// --- What an earlier run left ---

void Recovery::screenActivated(ScreenId screen) {
    if (screen != FixedScreen::MainMenu || offered_ || !isOn())
        return;
    offered_ = true;
    // After the hand-over, so that the splash screen is gone when she is asked.
    QTimer::singleShot(0, this, &Recovery::offerLeftBehind);
}

void Recovery::offerLeftBehind() {
    if (ended_)
        return;
    std::unique_ptr<RecoveryFolder> left = RecoveryFolder::claimLeftBehind(places_.copies);
    if (!left)
        return;
    AnswerStore kept;
    const bool answersRead = left->hasAnswers() && datafile::readFile(left->answersFile(), kept) ==
                                                       datafile::ReadResult::Complete;
    const int answers = answersRead ? answeredCount(kept) : 0;
    const bool document = left->hasDocument();
    if (answers == 0 && !document) {
        if (answersRead)
            left->remove();  // nothing she wrote is in it
        return;
    }

    QWidget* parent = screens_ ? screens_->find(FixedScreen::MainMenu) : nullptr;
    const MessageRequest ask{.title = QStringLiteral("Vellumora"),
                             .text = question(answers, document, left->lastWritten()),
                             .icon = MessageIcon::Question,
                             .buttons = MessageButtons::YesNo,
                             .defaultButton = MessageButton::Yes};
    if (dialogs_.message(parent, ask) != MessageButton::Yes) {
        left->remove();
        return;
    }

    QStringList told;
    bool failed = false;
    if (answers > 0) {
        store_.replaceWith(kept);
        told << QStringLiteral("Your %1 back in their text boxes.")
                    .arg(answers == 1 ? QStringLiteral("answer is")
                                      : QStringLiteral("%1 answers are").arg(answers));
    }
    left->removeAnswers();  // restored, or with no answer in it
    if (document) {
        QString error;
        if (const std::optional<QString> saved =
                saveKeptDocument(*left, places_.documents, &error)) {
            left->removeDocument();
            told << QStringLiteral(
                        "The document you were editing is saved as \"%1\".  To go on "
                        "with it, open it in the editor with File, Open.")
                        .arg(QDir::toNativeSeparators(*saved));
        } else {
            failed = true;
            told << QStringLiteral(
                        "The document you were editing could not be saved in \"%1\": "
                        "%2.  It is still kept, and Vellumora will offer it again the "
                        "next time it starts.")
                        .arg(QDir::toNativeSeparators(places_.documents), error);
        }
    }
    const MessageRequest inform{.title = QStringLiteral("Vellumora"),
                                .text = told.join(QStringLiteral("  ")),
                                .icon = failed ? MessageIcon::Warning : MessageIcon::Information};
    dialogs_.message(parent, inform);
}

}  // namespace vellumora
