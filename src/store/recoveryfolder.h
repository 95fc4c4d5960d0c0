#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <memory>

class QLockFile;

namespace vellumora {

class AnswerStore;

/**
 * One run's recovery copies: the answers in the data file's own format and
 * the editor's document as RTF, in a folder of the run's own below a root
 * that every run shares. The folder is locked while its run lives, so that
 * two runs at the same time never read, replace or remove each other's
 * copies; a folder whose lock is free belongs to a run that ended without
 * removing its copies: one that crashed, was killed or lost its session.
 *
 * Each copy is replaced only by a complete new one, so an end in the middle
 * of a write leaves the previous copy whole.
 */
class RecoveryFolder {
public:
    /// A new folder for this run below root, locked; nullptr with a reason
    /// in error when the root cannot be made or written to.
    static std::unique_ptr<RecoveryFolder> create(const QString& root, QString* error);

    /**
     * The newest folder below root whose run has ended and that holds a
     * copy, locked for this run; nullptr when there is none. Folders of
     * ended runs that hold no copy are tidied away on the way.
     */
    static std::unique_ptr<RecoveryFolder> claimLeftBehind(const QString& root);

    /// Releases the lock and leaves the copies for a later run; a folder
    /// that holds no copy goes with it.
    ~RecoveryFolder();
    RecoveryFolder(const RecoveryFolder&) = delete;
    RecoveryFolder& operator=(const RecoveryFolder&) = delete;

    QString path() const { return path_; }
    QString answersFile() const;
    QString documentFile() const;
    bool hasAnswers() const;
    bool hasDocument() const;
    /// When the newer of the two copies was written; invalid without copies.
    QDateTime lastWritten() const;

    bool writeAnswers(const AnswerStore& store, QString* error);
    bool writeDocument(const QByteArray& rtf, QString* error);
    /// Replaces the file at path by one holding bytes, whole or not at all;
    /// false with a reason in error. Needs no folder object: any thread may
    /// write a copy whose bytes were made elsewhere.
    static bool replaceWhole(const QString& path, const QList<QByteArray>& pieces, QString* error);
    void removeAnswers();
    void removeDocument();
    /// Removes both copies, the lock and the folder.
    void remove();

private:
    RecoveryFolder(QString path, std::unique_ptr<QLockFile> lock);

    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace vellumora
