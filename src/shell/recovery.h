#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QThreadPool>
#include <QTimer>
#include <chrono>
#include <memory>
#include <optional>

class QTextDocument;

namespace vellumora {

class AnswerStore;
class Dialogs;
class RecoveryFolder;
class ScreenManager;
enum class ProgramEnd;

/// Where recovery keeps its copies, and where a restored document goes.
struct RecoveryPlaces {
    QString copies;     ///< below it, every run keeps a folder of its own
    QString documents;  ///< a restored document is saved here for her
    /// Her data folder for the copies, her Documents folder for a document.
    static RecoveryPlaces standard();
};

/**
 * Keeps what she writes safe from an end she did not choose: a crash, a
 * killed program, a power cut, a logout. Every change of the answers is
 * copied at once, the editor's document a few seconds after her last change
 * and when she leaves the editor. An exit she confirmed removes the copies;
 * the editor's own exit keeps the answers' copy unless the answers went to a
 * data file since their last change, because it asks about the document only.
 *
 * The bytes of a copy are made at once; the disk is written in the
 * background, so that neither a Save nor a pause in typing waits for it.
 *
 * The next run offers what was kept, once, right after the main menu is
 * first shown. Recovery stays off until keepCopiesIn() is called.
 */
class Recovery : public QObject {
    Q_OBJECT

public:
    /// How long after her last change the document is copied.
    static constexpr std::chrono::milliseconds kDocumentDelay{5000};

    Recovery(AnswerStore& store, Dialogs& dialogs);
    ~Recovery() override;

    /// Follows the program's screens: the main menu's first showing and the
    /// end of the program.
    void follow(ScreenManager& screens);
    /// Turns recovery on, with its copies below places.copies.
    void keepCopiesIn(const RecoveryPlaces& places);
    bool isOn() const { return !places_.copies.isEmpty(); }
    void setDocumentDelay(std::chrono::milliseconds delay);

    /// The editor's document, from now on copied after each change; the
    /// document that was watched before is copied first if it changed.
    void watchDocument(QTextDocument& document);
    /// The editor is left: a change not yet copied is copied now.
    void documentLeft();
    /// The answers as they are now were written to a data file.
    void answersSavedToFile();

    /// This run's folder of copies; empty before the first copy.
    QString folder() const;

signals:
    /// After a copy was written; tests and the test driver wait for them.
    void answersKept();
    void documentKept();

private:
    void answersChanged();
    void documentChanged();
    void keepAnswers();
    void keepDocument();
    void writeInBackground(const QString& path, QByteArray bytes, void (Recovery::*kept)());
    RecoveryFolder* ownFolder();
    void warnOnce(const QString& reason);
    void programEnding(ProgramEnd how);
    void screenActivated(const QString& name);
    void offerLeftBehind();

    AnswerStore& store_;
    Dialogs& dialogs_;
    ScreenManager* screens_ = nullptr;
    RecoveryPlaces places_;
    std::unique_ptr<RecoveryFolder> folder_;
    // One thread, so the copies land in the order they were made; the bytes
    // are made here, where the answers and the document live.
    QThreadPool writer_;
    QTimer answersTimer_;
    QTimer documentTimer_;
    QPointer<QTextDocument> document_;
    std::optional<quint64> savedRevision_;
    bool offered_ = false;
    bool ended_ = false;
    bool warned_ = false;
};

}  // namespace vellumora
