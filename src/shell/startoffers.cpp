#include "shell/startoffers.h"

#include "dialogs/dialogs.h"
#include "files/entries.h"
#include "files/wholefile.h"
#include "shell/recovery.h"
#include "shell/remembered.h"
#include "shell/screenmanager.h"
#include "store/answerstore.h"
#include "store/datafile.h"
#include "store/recoveryfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>
#include <set>

namespace vellumora {

/// Everything the earlier runs left, put together: their answers, a newer
/// copy's answer over an older one's, the documents that can come back, and
/// what cannot be read.
struct LeftWork {
    std::vector<std::unique_ptr<RecoveryFolder>> folders;  ///< the oldest first
    AnswerStore answers;
    int answered = 0;
    std::vector<RecoveryFolder*> documents;   ///< readable, the oldest first
    std::set<RecoveryFolder*> documentsKept;  ///< could not be brought back: offered again
    bool answersCutShort = false;             ///< a copy was read as far as its damage
    bool answersUnreadable = false;           ///< a copy gave no answer at all
    bool documentUnreadable = false;          ///< a document copy is no ordinary file
    bool documentTooLarge = false;            ///< past what the editor opens
    bool leftAtExit = true;                   ///< every folder, not a crash
    QDateTime lastWritten;

    bool canComeBack() const { return answered > 0 || !documents.empty(); }
    bool isDamaged() const {
        return answersCutShort || answersUnreadable || documentUnreadable || documentTooLarge;
    }
};

namespace {

const QString kTitle = QStringLiteral("Vellumora");

int answeredCount(const AnswerStore& store) {
    int count = 0;
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        count += store.isAnswered(position) ? 1 : 0;
    return count;
}

void setState(AnswerStore& store, int position, const std::optional<QString>& state) {
    if (state)
        store.store(position, *state);
    else
        store.setUnset(position);
}

// A newer copy's answer wins; no answer of an older copy is lost to a slot
// that the newer one leaves empty.
void takeAnswers(const RecoveryFolder& folder, LeftWork& work) {
    AnswerStore read;
    switch (folder.readAnswers(read)) {
        case datafile::ReadResult::Complete:
            break;
        case datafile::ReadResult::Incomplete:
            if (answeredCount(read) > 0) {
                work.answersCutShort = true;
                break;
            }
            [[fallthrough]];
        default:
            work.answersUnreadable = true;
            return;
    }
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        if (read.isAnswered(position) || !work.answers.isAnswered(position))
            setState(work.answers, position, read.state(position));
}

void takeDocument(RecoveryFolder& folder, LeftWork& work) {
    switch (folder.document()) {
        case RecoveryFolder::Document::Readable:
            work.documents.push_back(&folder);
            break;
        case RecoveryFolder::Document::NotAFile:
            work.documentUnreadable = true;
            break;
        case RecoveryFolder::Document::TooLarge:
            work.documentTooLarge = true;
            break;
        case RecoveryFolder::Document::Absent:
            break;
    }
}

void gather(LeftWork& work, std::vector<std::unique_ptr<RecoveryFolder>> folders) {
    work.folders = std::move(folders);
    for (const std::unique_ptr<RecoveryFolder>& folder : work.folders) {
        work.leftAtExit = work.leftAtExit && folder->leftAtExit();
        work.lastWritten = std::max(work.lastWritten, folder->lastWritten());
        if (folder->hasAnswers())
            takeAnswers(*folder, work);
        takeDocument(*folder, work);
    }
    work.answered = answeredCount(work.answers);
}

// --- Her words ---

QString answersInWords(int count) {
    return count == 1 ? QStringLiteral("1 answer") : QStringLiteral("%1 answers").arg(count);
}

QString whenInWords(const QDateTime& when) {
    const QLocale locale;
    return QStringLiteral("%1 at %2")
        .arg(locale.toString(when.date(), QLocale::LongFormat),
             locale.toString(when.time(), QLocale::ShortFormat));
}

QString keptInWords(const LeftWork& work) {
    QStringList kept;
    if (work.answered > 0)
        kept << answersInWords(work.answered);
    if (work.documents.size() == 1)
        kept << QStringLiteral("the document you were editing");
    else if (work.documents.size() > 1)
        kept << QStringLiteral("%1 documents you were editing").arg(work.documents.size());
    return kept.join(QStringLiteral(" and "));
}

QStringList damageInWords(const LeftWork& work) {
    QStringList told;
    if (work.answersCutShort)
        told << QStringLiteral(
            "A copy of your answers is damaged part of the way through: only the answers "
            "before the damage can come back.");
    if (work.answersUnreadable)
        told << QStringLiteral(
            "A copy of your answers is damaged and cannot be read; it will be deleted.");
    if (work.documentUnreadable)
        told << QStringLiteral(
            "A copy of the document you were editing is damaged and cannot be read; it will "
            "be deleted.");
    if (work.documentTooLarge)
        told << QStringLiteral(
                    "A copy of the document you were editing is larger than %1 MB, more than "
                    "the editor can open; it will be deleted.")
                    .arg(RecoveryFolder::kMaxDocumentBytes / (1024 * 1024));
    return told;
}

QString question(const LeftWork& work) {
    QStringList text;
    if (work.leftAtExit)
        text << QStringLiteral(
                    "You left Vellumora last time without saving %1 to a file, so it kept "
                    "them for you, as they were on %2.")
                    .arg(keptInWords(work), whenInWords(work.lastWritten));
    else
        text << QStringLiteral(
                    "Vellumora was not closed properly last time, but it kept %1, as they "
                    "were on %2.")
                    .arg(keptInWords(work), whenInWords(work.lastWritten));
    text << damageInWords(work);
    text << QStringLiteral("Do you want them back?  If you answer No, they will be deleted.");
    return text.join(QStringLiteral("  "));
}

// When nothing can come back, she is still told what was lost.
QString damageOnly(const LeftWork& work) {
    QStringList text;
    text << (work.leftAtExit
                 ? QStringLiteral(
                       "You left Vellumora last time without saving your work to a file.")
                 : QStringLiteral("Vellumora was not closed properly last time."));
    text << damageInWords(work);
    return text.join(QStringLiteral("  "));
}

// Named after the time it was kept, so that she can tell which one it is;
// a file of that name already there is never replaced.
QString freeDocumentName(const QString& folder, const QDateTime& keptAt) {
    const QString stem =
        QStringLiteral("Vellumora story ") + keptAt.toString(QStringLiteral("yyyy-MM-dd HH.mm"));
    QString path = QDir(folder).filePath(stem + QStringLiteral(".rtf"));
    for (int n = 2; files::isPresent(path); ++n)
        path = QDir(folder).filePath(QStringLiteral("%1 (%2).rtf").arg(stem).arg(n));
    return path;
}

/// The kept document saved in her Documents folder: its path, or nullopt
/// with what went wrong in told.
std::optional<QString> saveKeptDocument(const RecoveryFolder& left, const QString& documents,
                                        QString* told) {
    QString reason;
    const std::optional<QByteArray> bytes = left.readDocument(&reason);
    if (!bytes) {
        *told = QStringLiteral(
                    "The document you were editing could not be read from the copy "
                    "Vellumora kept: %1.")
                    .arg(reason);
        return std::nullopt;
    }
    const QString target = freeDocumentName(documents, left.lastWritten());
    if (!QDir().mkpath(documents) || !files::replaceFile(target, *bytes, &reason)) {
        if (reason.isEmpty())
            reason = QStringLiteral("the folder cannot be made");
        *told = QStringLiteral("The document you were editing could not be saved in \"%1\": %2.")
                    .arg(QDir::toNativeSeparators(documents), reason);
        return std::nullopt;
    }
    return target;
}

}  // namespace

StartOffers::StartOffers(AnswerStore& store, Dialogs& dialogs, Recovery& recovery)
    : store_(store), dialogs_(dialogs), recovery_(recovery) {}

StartOffers::~StartOffers() = default;

void StartOffers::follow(ScreenManager& screens) {
    screens_ = &screens;
    connect(&screens, &ScreenManager::activated, this, &StartOffers::screenActivated);
}

void StartOffers::screenActivated(ScreenId screen) {
    if (screen != FixedScreen::MainMenu || offered_ || !recovery_.isOn())
        return;
    offered_ = true;
    // After the hand-over, so that the splash screen is gone when she is asked.
    QTimer::singleShot(0, this, &StartOffers::offer);
}

QWidget* StartOffers::mainMenu() const {
    return screens_ ? screens_->find(FixedScreen::MainMenu) : nullptr;
}

// One question at most: work in no file comes first, and she who declines it
// is not asked about a data file next.
void StartOffers::offer() {
    if (screens_ && screens_->hasEnded())
        return;
    if (!offerLeftBehind())
        offerLastDataFile();
}

// --- What earlier runs left ---

std::vector<std::unique_ptr<RecoveryFolder>> StartOffers::claimLeftBehind() const {
    const QDir root(recovery_.places().copies);
    QStringList leftAlone = remembered::copiesLeftAlone();
    const qsizetype known = leftAlone.size();
    leftAlone.removeIf(
        [&root](const QString& name) { return !files::isPresent(root.filePath(name)); });
    if (leftAlone.size() != known)
        remembered::setCopiesLeftAlone(leftAlone);
    return RecoveryFolder::claimLeftBehind(root.path(), leftAlone);
}

bool StartOffers::offerLeftBehind() {
    LeftWork work;
    gather(work, claimLeftBehind());
    if (work.folders.empty())
        return false;
    if (!work.canComeBack() && !work.isDamaged()) {
        settle(work);  // nothing she wrote is in them
        return false;
    }
    if (!work.canComeBack()) {
        reportFailure(dialogs_, mainMenu(), damageOnly(work));
        settle(work);
        return true;
    }
    const MessageRequest ask{.title = kTitle,
                             .text = question(work),
                             .icon = MessageIcon::Question,
                             .buttons = MessageButtons::YesNo,
                             .defaultButton = MessageButton::Yes};
    if (dialogs_.message(mainMenu(), ask) == MessageButton::Yes)
        restore(work);
    settle(work);
    return true;
}

void StartOffers::restore(LeftWork& work) {
    QStringList told;
    if (work.answered > 0) {
        store_.replaceWith(work.answers);
        told << QStringLiteral("Your %1 back in their text boxes.")
                    .arg(work.answered == 1 ? QStringLiteral("answer is")
                                            : QStringLiteral("%1 answers are").arg(work.answered));
    }
    const QStringList saved = saveDocuments(work, told);
    if (saved.isEmpty()) {
        const MessageIcon icon =
            work.documentsKept.empty() ? MessageIcon::Information : MessageIcon::Warning;
        dialogs_.message(mainMenu(),
                         {.title = kTitle, .text = told.join(QStringLiteral("  ")), .icon = icon});
        return;
    }
    told << (saved.size() == 1
                 ? QStringLiteral("Do you want to open it in the editor now?")
                 : QStringLiteral("Do you want to open the last of them in the editor now?"))
         << QStringLiteral(
                "If you answer No, you can open it later in the editor with File, "
                "Open.");
    const MessageRequest ask{.title = kTitle,
                             .text = told.join(QStringLiteral("  ")),
                             .icon = MessageIcon::Question,
                             .buttons = MessageButtons::YesNo,
                             .defaultButton = MessageButton::Yes};
    if (dialogs_.message(mainMenu(), ask) == MessageButton::Yes)
        emit openInEditor(saved.last());
}

// Each document goes to her Documents folder; one that cannot stays kept.
QStringList StartOffers::saveDocuments(LeftWork& work, QStringList& told) {
    QStringList saved;
    for (RecoveryFolder* document : work.documents) {
        QString failure;
        if (const std::optional<QString> path =
                saveKeptDocument(*document, recovery_.places().documents, &failure)) {
            saved << *path;
            told << QStringLiteral("The document you were editing is saved as \"%1\".")
                        .arg(QDir::toNativeSeparators(*path));
        } else {
            work.documentsKept.insert(document);
            told << failure + QStringLiteral(
                                  "  It is still kept, and Vellumora will offer it again "
                                  "the next time it starts.");
        }
    }
    return saved;
}

// Whatever she was asked about goes, except a document that could not be
// brought back. A folder that will not go is named once and left alone from
// then on, so that it is not offered at every start.
void StartOffers::settle(LeftWork& work) {
    QStringList stuck;
    QString reason;
    for (const std::unique_ptr<RecoveryFolder>& folder : work.folders) {
        QString why;
        const bool gone = work.documentsKept.count(folder.get()) > 0 ? folder->removeAnswers(&why)
                                                                     : folder->remove(&why);
        if (gone)
            continue;
        stuck << folder->name();
        if (reason.isEmpty())
            reason =
                QStringLiteral("\"%1\": %2").arg(QDir::toNativeSeparators(folder->path()), why);
    }
    if (stuck.isEmpty())
        return;
    remembered::setCopiesLeftAlone(remembered::copiesLeftAlone() + stuck);
    reportFailure(dialogs_, mainMenu(),
                  QStringLiteral("Vellumora could not delete the copies of your work that it "
                                 "kept in %1.  It will not offer them again; you may delete that "
                                 "folder yourself.")
                      .arg(reason));
}

// --- The data file she used last ---

// Asked only when that file still reads whole as a data file; Yes loads it as
// "Load Previously Saved Data" does.
bool StartOffers::offerLastDataFile() {
    const QString path = recovery_.lastDataFile();
    if (path.isEmpty())
        return false;
    AnswerStore read;
    if (datafile::readFile(path, read) != datafile::ReadResult::Complete)
        return false;
    const QFileInfo file(path);
    const MessageRequest ask{
        .title = kTitle,
        .text = QStringLiteral("Welcome back!  Do you want to go on with your story saved as "
                               "\"%1\" on %2?")
                    .arg(file.completeBaseName(),
                         QLocale().toString(file.lastModified().date(), QLocale::LongFormat)),
        .icon = MessageIcon::Question,
        .buttons = MessageButtons::YesNo,
        .defaultButton = MessageButton::Yes};
    if (dialogs_.message(mainMenu(), ask) != MessageButton::Yes)
        return true;
    store_.replaceWith(read);
    recovery_.answersReadFromFile(path);
    return true;
}

}  // namespace vellumora
