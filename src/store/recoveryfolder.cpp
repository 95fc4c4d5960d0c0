#include "store/recoveryfolder.h"

#include "files/wholefile.h"
#include "store/datafile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>

namespace vellumora {

namespace {

const QString kRunPrefix = QStringLiteral("run-");
const QString kAnswersName = QStringLiteral("answers.dat");
const QString kDocumentName = QStringLiteral("document.rtf");

// The lock lies beside its folder, not in it: it is taken before the folder
// exists and given up after the folder is gone, so a run that looks for
// left-behind copies never finds a folder of a live run without its lock.
QString lockPathFor(const QString& folder) {
    return folder + QStringLiteral(".lock");
}

// A lock is held for as long as its run lives, however long that is: only a
// run that is no longer running leaves a lock that can be taken over.
std::unique_ptr<QLockFile> tryToLock(const QString& folder) {
    auto lock = std::make_unique<QLockFile>(lockPathFor(folder));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

QDateTime modified(const QString& path) {
    const QFileInfo info(path);
    return info.exists() ? info.lastModified() : QDateTime();
}

}  // namespace

// The same whole-or-nothing replacement as every other save: a full disk can
// never put a short copy in place of a whole one.
bool RecoveryFolder::replaceWhole(const QString& path, const QList<QByteArray>& pieces,
                                  QString* error) {
    return files::replaceFile(path, pieces, error);
}

RecoveryFolder::RecoveryFolder(QString path, std::unique_ptr<QLockFile> lock)
    : path_(std::move(path)), lock_(std::move(lock)) {}

// The lock goes last, after the folder: see lockPathFor().
RecoveryFolder::~RecoveryFolder() {
    if (!hasAnswers() && !hasDocument())
        QDir(path_).removeRecursively();  // with any write cut short
}

std::unique_ptr<RecoveryFolder> RecoveryFolder::create(const QString& root, QString* error) {
    if (!QDir().mkpath(root)) {
        if (error)
            *error = QStringLiteral("the folder \"%1\" cannot be made").arg(root);
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
    if (error)
        *error = QStringLiteral("no folder can be made in \"%1\"").arg(root);
    return nullptr;
}

std::unique_ptr<RecoveryFolder> RecoveryFolder::claimLeftBehind(const QString& root) {
    const QFileInfoList runs = QDir(root).entryInfoList({kRunPrefix + u'*'}, QDir::Dirs);
    std::unique_ptr<RecoveryFolder> newest;
    for (const QFileInfo& run : runs) {
        std::unique_ptr<QLockFile> lock = tryToLock(run.absoluteFilePath());
        if (!lock)
            continue;  // its run is alive
        auto found = std::unique_ptr<RecoveryFolder>(
            new RecoveryFolder(run.absoluteFilePath(), std::move(lock)));
        if (!found->hasAnswers() && !found->hasDocument())
            continue;  // nothing kept: the folder goes with the lock
        if (!newest || found->lastWritten() > newest->lastWritten())
            newest = std::move(found);
    }
    return newest;
}

QString RecoveryFolder::answersFile() const {
    return QDir(path_).filePath(kAnswersName);
}

QString RecoveryFolder::documentFile() const {
    return QDir(path_).filePath(kDocumentName);
}

bool RecoveryFolder::hasAnswers() const {
    return QFileInfo::exists(answersFile());
}

bool RecoveryFolder::hasDocument() const {
    return QFileInfo::exists(documentFile());
}

QDateTime RecoveryFolder::lastWritten() const {
    const QDateTime answers = modified(answersFile());
    const QDateTime document = modified(documentFile());
    if (!answers.isValid())
        return document;
    return document.isValid() ? std::max(answers, document) : answers;
}

bool RecoveryFolder::writeAnswers(const AnswerStore& store, QString* error) {
    return replaceWhole(answersFile(), {datafile::encode(store)}, error);
}

bool RecoveryFolder::writeDocument(const QByteArray& rtf, QString* error) {
    return replaceWhole(documentFile(), {rtf}, error);
}

void RecoveryFolder::removeAnswers() {
    QFile::remove(answersFile());
}

void RecoveryFolder::removeDocument() {
    QFile::remove(documentFile());
}

void RecoveryFolder::remove() {
    QDir(path_).removeRecursively();
    lock_.reset();
}

}  // namespace vellumora
