#pragma once

#include <QByteArray>
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
 * Keeps what she writes safe from an end she did not choose (a crash, a
 * killed program, a power cut, a logout) and from an exit that did not save
 * her work to a file. Every change of the answers is copied at once, the
 * editor's document a few seconds after her last change and when she leaves
 * the editor. When the program ends, what is in a file goes: the answers'
 * copy when they were written to or read from a data file since their last
 * change, the document's copy when the editor's document was saved since its
 * last change or is gone, and the document's copy too on the editor's own
 * exit, which asked about it. What stays is marked as left at an exit.
 *
 * The bytes of a copy are made at once; the disk is written in the
 * background, so that neither a Save nor a pause in typing waits for it.
 *
 * It also remembers the data file her answers were last saved to or loaded
 * from. Recovery stays off until keepCopiesIn() is called; StartOffers
 * offers at the next start what was kept.
 */
class Recovery : public QObject {
    Q_OBJECT

public:
    /// How long after her last change the document is copied.
    static constexpr std::chrono::milliseconds kDocumentDelay{5000};

    explicit Recovery(AnswerStore& store);
    ~Recovery() override;

    /// Follows the end of the program.
    void follow(ScreenManager& screens);
    /// Turns recovery on, with its copies below places.copies.
    void keepCopiesIn(const RecoveryPlaces& places);
    bool isOn() const { return !places_.copies.isEmpty(); }
    const RecoveryPlaces& places() const { return places_; }
    void setDocumentDelay(std::chrono::milliseconds delay);

    /// The editor's document, from now on copied after each change; the
    /// document that was watched before is copied first if it changed.
    void watchDocument(QTextDocument& document);
    /// The editor is left: a change not yet copied is copied now.
    void documentLeft();
    /// The answers as they are now were written to this data file.
    void answersSavedToFile(const QString& dataFile);
    /// The answers as they are now were read whole from this data file.
    void answersReadFromFile(const QString& dataFile);
    /// The data file of the last of those two, in this run or an earlier
    /// one; empty while recovery is off.
    QString lastDataFile() const;

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
    void writeInBackground(const QString& path, QList<QByteArray> pieces, qint64 maxBytes,
                           void (Recovery::*kept)());
    RecoveryFolder* ownFolder();
    void warnOnce(const QString& reason);
    void answersAreIn(const QString& dataFile);
    void programEnding(ProgramEnd how);
    void keepWhatIsNotInAFile(bool answers, bool document);

    AnswerStore& store_;
    RecoveryPlaces places_;
    std::unique_ptr<RecoveryFolder> folder_;
    // One thread, so the copies land in the order they were made; the bytes
    // are made here, where the answers and the document live.
    QThreadPool writer_;
    QTimer answersTimer_;
    QTimer documentTimer_;
    QPointer<QTextDocument> document_;
    std::optional<quint64> savedRevision_;
    bool ended_ = false;
    bool warned_ = false;
};

}  // namespace vellumora
