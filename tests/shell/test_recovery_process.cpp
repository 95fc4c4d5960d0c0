// Recovery with the real program in processes of its own (recoverydriver.cpp),
// killed with SIGKILL, and run twice at the same time. Each test gives the
// runs a home folder of their own, so the real user's data is never touched.
#include "rtf/rtffile.h"
#include "store/answerstore.h"
#include "store/datafile.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <memory>

using namespace vellumora;

namespace {

/// A home folder for the runs: copies in its data folder, a restored
/// document in its Documents folder.
struct Home {
    QTemporaryDir dir;
    QString copies() const { return dir.filePath(QStringLiteral("data/Vellumora/recovery")); }
    QString documents() const { return dir.filePath(QStringLiteral("Documents")); }
    QStringList runFolders() const {
        return QDir(copies()).entryList({QStringLiteral("run-*")}, QDir::Dirs);
    }
    QString runFolder(int i = 0) const { return QDir(copies()).filePath(runFolders().value(i)); }
};

/// One run of the program, started with driver steps.
class Run {
public:
    Run(const Home& home, const QStringList& steps) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.dir.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.dir.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(RECOVERY_DRIVER), steps);
    }
    ~Run() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }

    /// Reads output until a line starts with prefix; that line, or a null
    /// string when the run ended or took too long.
    QString waitForLine(const QString& prefix, int timeoutMs = 60000) {
        QDeadlineTimer deadline(timeoutMs);
        for (;;) {
            while (process_.canReadLine()) {
                const QString line = QString::fromUtf8(process_.readLine()).trimmed();
                lines_.append(line);
                if (line.startsWith(prefix))
                    return line;
            }
            if (deadline.hasExpired() ||
                (process_.state() == QProcess::NotRunning && !process_.canReadLine()))
                return QString();
            process_.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
        }
    }
    void killNow() {
        process_.kill();  // SIGKILL: nothing of the program runs any more
        QVERIFY(process_.waitForFinished(10000));
    }
    /// True when the run ended by itself, without a failure.
    bool finishes() {
        const bool finished = process_.waitForFinished(60000);
        while (process_.canReadLine())
            lines_.append(QString::fromUtf8(process_.readLine()).trimmed());
        return finished && process_.exitStatus() == QProcess::NormalExit &&
               process_.exitCode() == 0;
    }
    QStringList messages() const {
        QStringList found;
        for (const QString& line : lines_)
            if (line.startsWith(QStringLiteral("MESSAGE ")))
                found.append(line.mid(8));
        return found;
    }

private:
    QProcess process_;
    QStringList lines_;
};

bool askedToRestore(const QStringList& messages) {
    for (const QString& text : messages)
        if (text.startsWith(QStringLiteral("Vellumora was not closed properly")))
            return true;
    return false;
}

/// The state of every slot in a data file, in catalogue order.
using Answers = QList<std::optional<QString>>;

Answers readAnswers(const QString& path) {
    AnswerStore store;
    if (datafile::readFile(path, store) != datafile::ReadResult::Complete)
        qWarning("incomplete answers in %s", qPrintable(path));
    Answers answers;
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        answers.append(store.state(position));
    return answers;
}

}  // namespace

class RecoveryProcessTest : public QObject {
    Q_OBJECT

private slots:
    void killedRunComesBack();
    void killDuringACopyLeavesAWholeOne();
    void endings_data();
    void endings();
    void twoRunsAtOnce();
};

// She types answers and edits the document; the program is killed. The next
// run asks, and Yes brings back every answer and the document.
void RecoveryProcessTest::killedRunComesBack() {
    Home home;
    Answers kept;
    {
        Run killed(home, {QStringLiteral("enter"), QStringLiteral("answer"),
                          QStringLiteral("Grandma "), QStringLiteral("edit"),
                          QStringLiteral("Once upon a time "), QStringLiteral("wait")});
        QVERIFY(!killed.waitForLine(QStringLiteral("READY")).isNull());
        killed.killNow();
        QCOMPARE(home.runFolders().size(), 1);
        kept = readAnswers(QDir(home.runFolder()).filePath(QStringLiteral("answers.dat")));
    }
    int answered = 0;
    for (const std::optional<QString>& answer : kept)
        answered += answer.value_or(QString()).startsWith(QStringLiteral("Grandma ")) ? 1 : 0;
    QCOMPARE(answered, 5);  // every box of the page

    const QString report = home.dir.filePath(QStringLiteral("restored.dat"));
    Run next(home, {QStringLiteral("--restore"), QStringLiteral("yes"), QStringLiteral("enter"),
                    QStringLiteral("report"), report, QStringLiteral("exit")});
    QVERIFY(next.finishes());
    QVERIFY(askedToRestore(next.messages()));
    QVERIFY2(next.messages().value(0).contains(
                 QStringLiteral("5 answers and the document you were editing")),
             qPrintable(next.messages().value(0)));
    QCOMPARE(readAnswers(report), kept);

    const QStringList documents = QDir(home.documents()).entryList({QStringLiteral("*.rtf")});
    QCOMPARE(documents.size(), 1);
    QVERIFY(next.messages().value(1).contains(documents.first()));
    QTextDocument document;
    QVERIFY(rtf::loadDocumentFile(QDir(home.documents()).filePath(documents.first()), document,
                                  nullptr));
    QVERIFY(document.toPlainText().startsWith(QStringLiteral("Once upon a time ")));
    QVERIFY2(document.toPlainText().contains(QStringLiteral("Grandma 1")),
             "the compiled answers are in it");
    QVERIFY(home.runFolders().isEmpty());  // restored, then a confirmed exit
}

// Killed at any moment while it replaces its copy of 8 MB of answers, a run
// leaves a copy that reads whole, from one round only.
void RecoveryProcessTest::killDuringACopyLeavesAWholeOne() {
    Home home;
    for (const int delayMs : {0, 15, 40, 90, 200}) {
        Run churning(home, {QStringLiteral("churn")});
        QVERIFY(!churning.waitForLine(QStringLiteral("READY")).isNull());
        QTest::qSleep(delayMs);
        churning.killNow();
    }
    const QStringList folders = home.runFolders();
    QCOMPARE(folders.size(), 5);
    for (const QString& folder : folders) {
        AnswerStore copy;
        const QString path = QDir(home.copies()).filePath(folder + QStringLiteral("/answers.dat"));
        QCOMPARE(datafile::readFile(path, copy), datafile::ReadResult::Complete);
        const QString round = copy.answer(1).section(u' ', 0, 1);
        QVERIFY2(round.startsWith(QStringLiteral("round ")), qPrintable(round));
        for (int position = 1; position <= catalogue::kQuestionCount; ++position)
            QVERIFY2(copy.answer(position).startsWith(round + u' ') &&
                         copy.answer(position).size() == copy.answer(1).size(),
                     qPrintable(QStringLiteral("slot %1 is not from %2").arg(position).arg(round)));
    }
}

void RecoveryProcessTest::endings_data() {
    QTest::addColumn<QString>("exit");
    QTest::addColumn<bool>("answersKept");
    QTest::newRow("main menu Exit, Yes") << "exit" << false;
    QTest::newRow("editor Exit, document not saved") << "editor-exit" << true;
}

// A confirmed exit leaves nothing behind; the editor's exit, which asked
// about the document only, leaves the answers for the next run.
void RecoveryProcessTest::endings() {
    QFETCH(QString, exit);
    QFETCH(bool, answersKept);
    Home home;
    Run run(home, {QStringLiteral("enter"), QStringLiteral("answer"), QStringLiteral("Grandma "),
                   QStringLiteral("edit"), QStringLiteral("Once upon a time "), exit});
    QVERIFY(run.finishes());
    QCOMPARE(home.runFolders().size(), answersKept ? 1 : 0);
    if (answersKept) {
        const QDir folder(home.runFolder());
        QCOMPARE(folder.entryList(QDir::Files), QStringList{QStringLiteral("answers.dat")});
    }
    QCOMPARE(QDir(home.copies()).entryList({QStringLiteral("*.lock")}, QDir::Files), QStringList());
}

// A second run while the first lives neither offers nor removes the first
// one's copies; once the first is killed, the next run offers them.
void RecoveryProcessTest::twoRunsAtOnce() {
    Home home;
    Run first(home, {QStringLiteral("enter"), QStringLiteral("answer"), QStringLiteral("First "),
                     QStringLiteral("wait")});
    QVERIFY(!first.waitForLine(QStringLiteral("READY")).isNull());
    const QString firstFolder = home.runFolder();
    const Answers firstAnswers =
        readAnswers(QDir(firstFolder).filePath(QStringLiteral("answers.dat")));

    Run second(home, {QStringLiteral("--restore"), QStringLiteral("yes"), QStringLiteral("enter"),
                      QStringLiteral("answer"), QStringLiteral("Second "), QStringLiteral("exit")});
    QVERIFY(second.finishes());
    QVERIFY(!askedToRestore(second.messages()));
    QCOMPARE(home.runFolders().size(), 1);
    QCOMPARE(readAnswers(QDir(firstFolder).filePath(QStringLiteral("answers.dat"))), firstAnswers);

    first.killNow();
    const QString report = home.dir.filePath(QStringLiteral("restored.dat"));
    Run third(home, {QStringLiteral("--restore"), QStringLiteral("yes"), QStringLiteral("enter"),
                     QStringLiteral("report"), report, QStringLiteral("exit")});
    QVERIFY(third.finishes());
    QVERIFY(askedToRestore(third.messages()));
    QCOMPARE(readAnswers(report), firstAnswers);
}

QTEST_MAIN(RecoveryProcessTest)
#include "test_recovery_process.moc"
