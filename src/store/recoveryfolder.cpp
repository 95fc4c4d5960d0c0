#include "store/recoveryfolder.h"

#include "files/entries.h"
#include "files/filefailure.h"
#include "files/wholefile.h"
#include "store/answerstore.h"

#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>

namespace vellumora {

namespace {

using files::isOrdinaryFile;
using files::isPresent;
using files::isRealFolder;

const QString kRunPrefix = QStringLiteral("run-");
const QString kAnswersName = QStringLiteral("answers.dat");
const QString kDocumentName = QStringLiteral("document.rtf");
const QString kLeftAtExitName = QStringLiteral("left-at-exit");

bool fail(QString* reason, const QString& words) {
    if (reason)
        *reason = words;
    return false;
}

// The lock lies beside its folder, not in it: it is taken before the folder
// exists and given up after the folder is gone, so a run that looks for
// left-behind copies never finds a folder of a live run without its lock.
QString lockPathFor(const QString& folder) {
    return folder + QStringLiteral(".lock");
}

// A lock is held for as long as its run lives, however long that is: only a
// run that is no longer running leaves a lock that can be taken over. A lock
// that is not an ordinary file (a pipe would never answer) is left alone,
// and its folder with it.
std::unique_ptr<QLockFile> tryToLock(const QString& folder) {
    const QFileInfo entry(lockPathFor(folder));
    if (isPresent(entry) && !isOrdinaryFile(entry))
        return nullptr;
    auto lock = std::make_unique<QLockFile>(lockPathFor(folder));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

QDateTime modified(const QString& path) {
    const QFileInfo entry(path);
    return isOrdinaryFile(entry) ? entry.lastModified() : QDateTime();
}

// Removes the entry itself, never what a link points to.
bool unlinkEntry(const QString& path, QString* reason) {
    errno = 0;
    if (::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT)
        return true;
    return fail(reason, files::failureReason(QFileDevice::RemoveError, errno));
}

// A copy and what a write of it cut short left beside it: QSaveFile's
// temporary file is the name and six characters more ("answers.dat.AbC123").
bool removeCopy(const QString& folder, const QString& name, QString* reason) {
    if (!isPresent(QFileInfo(folder)))
        return true;
    if (!isRealFolder(folder))
        return fail(reason, files::failureReason(QFileDevice::RemoveError, ENOTDIR));
    const QDir dir(folder);
    bool removed = unlinkEntry(dir.filePath(name), reason);
    const QStringList cutShort = dir.entryList({name + QStringLiteral(".??????")},
                                               QDir::Files | QDir::System | QDir::Hidden);
    for (const QString& temporary : cutShort)
        removed = unlinkEntry(dir.filePath(temporary), reason) && removed;
    return removed;
}

}  // namespace

bool RecoveryFolder::replaceWhole(const QString& path, const QList<QByteArray>& pieces,
                                  qint64 maxBytes, QString* error) {
    qint64 bytes = 0;
    for (const QByteArray& piece : pieces)
        bytes += piece.size();
    if (bytes > maxBytes)
        return fail(
            error,
            QStringLiteral("the copy would be larger than %1 MB").arg(maxBytes / (1024 * 1024)));
    // The same whole-or-nothing replacement as every other save: a full disk
    // can never put a short copy in place of a whole one.
    return files::replaceFile(path, pieces, error);
}

RecoveryFolder::RecoveryFolder(QString path, std::unique_ptr<QLockFile> lock)
    : path_(std::move(path)), lock_(std::move(lock)) {}

// The lock goes last, after the folder: see lockPathFor().
RecoveryFolder::~RecoveryFolder() {
    if (lock_ && !hasAnswers() && !hasDocument())
        remove();  // with any write cut short
}

std::unique_ptr<RecoveryFolder> RecoveryFolder::create(const QString& root, QString* error) {
    if (!QDir().mkpath(root)) {
        fail(error, QStringLiteral("the folder \"%1\" cannot be made").arg(root));
        return nullptr;
    }
    const QString runName = kRunPrefix + QString::number(QCoreApplication::applicationPid());
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString folder = QDir(root).filePath(
            runName + u'-' + QString::number(QRandomGenerator::global()->generate(), 36));
        std::unique_ptr<QLockFile> lock = tryToLock(folder);
        if (!lock)
            continue;
        // The folder holds a life story: only its owner may read it.
        if (QDir(root).mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            return std::unique_ptr<RecoveryFolder>(new RecoveryFolder(folder, std::move(lock)));
    }
    fail(error, QStringLiteral("no folder can be made in \"%1\"").arg(root));
    return nullptr;
}

std::vector<std::unique_ptr<RecoveryFolder>> RecoveryFolder::claimLeftBehind(
    const QString& root, const QStringList& passOver) {
    // A link named like a run's folder is not one: it may lead anywhere.
    const QFileInfoList runs = QDir(root).entryInfoList(
        {kRunPrefix + u'*'}, QDir::Dirs | QDir::NoSymLinks | QDir::NoDotAndDotDot);
    std::vector<std::unique_ptr<RecoveryFolder>> found;
    for (const QFileInfo& run : runs) {
        if (passOver.contains(run.fileName()))
            continue;
        std::unique_ptr<QLockFile> lock = tryToLock(run.absoluteFilePath());
        if (!lock)
            continue;  // its run is alive
        auto folder = std::unique_ptr<RecoveryFolder>(
            new RecoveryFolder(run.absoluteFilePath(), std::move(lock)));
        if (folder->hasAnswers() || folder->hasDocument())
            found.push_back(std::move(folder));
        // else nothing kept: the folder goes with the lock
    }
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a->lastWritten() < b->lastWritten();
    });
    return found;
}

QString RecoveryFolder::name() const {
    return QFileInfo(path_).fileName();
}

QString RecoveryFolder::answersFile() const {
    return QDir(path_).filePath(kAnswersName);
}

QString RecoveryFolder::documentFile() const {
    return QDir(path_).filePath(kDocumentName);
}

bool RecoveryFolder::hasAnswers() const {
    return isPresent(QFileInfo(answersFile()));
}

bool RecoveryFolder::hasDocument() const {
    return isPresent(QFileInfo(documentFile()));
}

QDateTime RecoveryFolder::lastWritten() const {
    const QDateTime answers = modified(answersFile());
    const QDateTime document = modified(documentFile());
    if (!answers.isValid())
        return document;
    return document.isValid() ? std::max(answers, document) : answers;
}

datafile::ReadResult RecoveryFolder::readAnswers(AnswerStore& store) const {
    if (!isOrdinaryFile(QFileInfo(answersFile())))
        return datafile::ReadResult::CannotOpen;
    return datafile::readFile(answersFile(), store, kMaxAnswersBytes);
}

RecoveryFolder::Document RecoveryFolder::document() const {
    const QFileInfo entry(documentFile());
    if (!isPresent(entry))
        return Document::Absent;
    if (!isOrdinaryFile(entry))
        return Document::NotAFile;
    return entry.size() > kMaxDocumentBytes ? Document::TooLarge : Document::Readable;
}

std::optional<QByteArray> RecoveryFolder::readDocument(QString* reason) const {
    if (document() != Document::Readable) {
        fail(reason, QStringLiteral("it is not an ordinary file the editor can open"));
        return std::nullopt;
    }
    QFile file(documentFile());
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        fail(reason, files::failureReason(file, errno));
        return std::nullopt;
    }
    errno = 0;
    QByteArray bytes = file.read(kMaxDocumentBytes);
    if (file.error() != QFileDevice::NoError) {
        fail(reason, files::failureReason(file, errno));
        return std::nullopt;
    }
    return bytes;
}

bool RecoveryFolder::writeAnswers(const AnswerStore& store, QString* error) {
    return replaceWhole(answersFile(), {datafile::encode(store)}, kMaxAnswersBytes, error);
}

bool RecoveryFolder::writeDocument(const QByteArray& rtf, QString* error) {
    return replaceWhole(documentFile(), {rtf}, kMaxDocumentBytes, error);
}

bool RecoveryFolder::markLeftAtExit(QString* error) {
    return files::replaceFile(QDir(path_).filePath(kLeftAtExitName), QByteArrayView(), error);
}

bool RecoveryFolder::leftAtExit() const {
    return isOrdinaryFile(QFileInfo(QDir(path_).filePath(kLeftAtExitName)));
}

bool RecoveryFolder::removeAnswers(QString* reason) {
    return removeCopy(path_, kAnswersName, reason);
}

bool RecoveryFolder::removeDocument(QString* reason) {
    return removeCopy(path_, kDocumentName, reason);
}

// Only the folder's own names go, then the folder if that left it empty:
// whatever else someone put in it stays, and so does the folder, which holds
// no copy any more.
bool RecoveryFolder::remove(QString* reason) {
    bool removed = removeCopy(path_, kAnswersName, reason);
    removed = removeCopy(path_, kDocumentName, reason) && removed;
    removed = removeCopy(path_, kLeftAtExitName, reason) && removed;
    if (removed && isRealFolder(path_)) {
        errno = 0;
        if (::rmdir(QFile::encodeName(path_).constData()) != 0 && errno != ENOENT &&
            errno != ENOTEMPTY && errno != EEXIST)
            removed = fail(reason, files::failureReason(QFileDevice::RemoveError, errno));
    }
    lock_.reset();
    return removed;
}

}  // namespace vellumora
