#pragma once

#include "rtf/rtfreader.h"
#include "store/datafile.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class QLockFile;

namespace vellumora {

class AnswerStore;

/**
 * One run's recovery copies: the answers in the data file's own format and
 * the editor's document as RTF, in a folder of the run's own below a root
 * that every run shares. The folder is locked while its run lives, so that
 * two runs at the same time never read, replace or remove each other's
 * copies; a folder whose lock is free belongs to a run that ended without
 * removing its copies: one that crashed, was killed or lost its session, or
 * one that she left with work not saved to a file.
 *
 * Each copy is replaced only by a complete new one, so an end in the middle
 * of a write leaves the previous copy whole. What is written can be read
 * back: one bound per kind of copy holds for both.
 *
 * Nothing here follows a symbolic link, opens anything but an ordinary
 * file, or removes anything but its own file names in its own real folders:
 * a folder below the root may be anything, put there by anyone.
 */
class RecoveryFolder {
public:
    /// The most bytes a copy of the answers holds, written or read. Far above
    /// a data file's bound, so that answers too large for one still survive
    /// a crash.
    static constexpr qint64 kMaxAnswersBytes = 256 * 1024 * 1024;
    /// A copy of the document holds no more than the editor opens.
    static constexpr qint64 kMaxDocumentBytes = rtf::kMaxFileBytes;

    /// A new folder for this run below root, locked; nullptr with a reason
    /// in error when the root cannot be made or written to.
    static std::unique_ptr<RecoveryFolder> create(const QString& root, QString* error);

    /**
     * Every folder below root whose run has ended and that holds a copy,
     * locked for this run, the oldest first; folders named in passOver are
     * left alone. Folders of ended runs that hold no copy are tidied away on
     * the way.
     */
    static std::vector<std::unique_ptr<RecoveryFolder>> claimLeftBehind(
        const QString& root, const QStringList& passOver = {});

    /// Releases the lock and leaves the copies for a later run; a folder
    /// that holds no copy goes with it.
    ~RecoveryFolder();
    RecoveryFolder(const RecoveryFolder&) = delete;
    RecoveryFolder& operator=(const RecoveryFolder&) = delete;

    QString path() const { return path_; }
    QString name() const;
    QString answersFile() const;
    QString documentFile() const;
    /// Whether something stands under the copy's name, whatever it is.
    bool hasAnswers() const;
    bool hasDocument() const;
    /// When the newer of the two copies was written; invalid without copies.
    QDateTime lastWritten() const;

    /// Reads the answers copy into store, up to kMaxAnswersBytes; anything
    /// but an ordinary file is CannotOpen.
    datafile::ReadResult readAnswers(AnswerStore& store) const;

    /// What the document copy is, judged without opening it.
    enum class Document { Absent, Readable, NotAFile, TooLarge };
    Document document() const;
    /// The document copy's bytes, or nullopt with why in plain words.
    std::optional<QByteArray> readDocument(QString* reason) const;

    bool writeAnswers(const AnswerStore& store, QString* error);
    bool writeDocument(const QByteArray& rtf, QString* error);
    /**
     * Replaces the file at path by one holding the pieces one after the
     * other, whole or not at all, when they are no more than maxBytes; false
     * with a reason in error. Needs no folder object: any thread may write a
     * copy whose bytes were made elsewhere.
     */
    static bool replaceWhole(const QString& path, const QList<QByteArray>& pieces, qint64 maxBytes,
                             QString* error);

    /// Marks the copies as left by an exit she chose, not by a crash.
    bool markLeftAtExit(QString* error);
    bool leftAtExit() const;

    /// Each returns false, with why in reason, when something stays.
    bool removeAnswers(QString* reason = nullptr);
    bool removeDocument(QString* reason = nullptr);
    /// Removes the copies, the folder and then the lock.
    bool remove(QString* reason = nullptr);

private:
    RecoveryFolder(QString path, std::unique_ptr<QLockFile> lock);

    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace vellumora
