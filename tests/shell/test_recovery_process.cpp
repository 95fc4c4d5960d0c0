// Recovery with the real program in processes of its own (recoverydriver.cpp):
// killed with SIGKILL, left through Exit, run twice at the same time, and
// started over what a damaged disk or a stranger left in its folder. Each
// test gives the runs a home folder of their own, so the real user's data is
// never touched.
#include "rtf/rtffile.h"
#include "store/answerstore.h"
#include "store/datafile.h"
#include "store/recoveryfolder.h"

#include <sys/stat.h>
#include <QDir>
#include <QLocale>
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
    /// The messages but the exit confirmation.
    QStringList told() const {
        QStringList found = messages();
        found.removeIf([](const QString& text) {
            return text.startsWith(QStringLiteral("Are you sure you want to exit?"));
        });
        return found;
    }

private:
    QProcess process_;
    QStringList lines_;
};

bool askedToRestore(const QStringList& messages) {
    for (const QString& text : messages)
        if (text.startsWith(QStringLiteral("Vellumora was not closed properly")) ||
            text.startsWith(QStringLiteral("You left Vellumora last time")))
            return true;
    return false;
}

int answeredIn(const QString& path) {
    AnswerStore store;
    datafile::readFile(path, store);
    int answered = 0;
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        answered += store.isAnswered(position) ? 1 : 0;
    return answered;
}

/// Leaves a folder of copies below the home as a killed run would: the
/// first slots answered "kept 1", "kept 2" and so on, and a short document
/// when asked for. Returns the folder.
QString leaveFolder(const Home& home, int answers, bool document = false) {
    QString error;
    std::unique_ptr<RecoveryFolder> folder = RecoveryFolder::create(home.copies(), &error);
    if (!folder)
        qFatal("no folder: %s", qPrintable(error));
    AnswerStore store;
    for (int position = 1; position <= answers; ++position)
        store.store(position, QStringLiteral("kept %1").arg(position));
    if (answers > 0)
        folder->writeAnswers(store, &error);
    if (document)
        folder->writeDocument("{\\rtf1 Dear family}", &error);
    return folder->path();  // its lock goes with it, as a dead run's does
}

void writeFile(const QString& path, const QByteArray& bytes, qint64 size = -1) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        (size >= 0 && !file.resize(size)))
        qFatal("cannot write %s", qPrintable(path));
}

QStringList steps(const char* line) {
    return QString::fromUtf8(line).split(u' ');
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
    void unsavedAnswersOutliveAnExit_data();
    void unsavedAnswersOutliveAnExit();
    void goesOnWithTheLastDataFile();
    void twoRunsAtOnce();
    void strangeLeftovers_data();
    void strangeLeftovers();
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
    QCOMPARE(home.runFolders().size(), 1);  // the answers brought back are in no file yet
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
    QTest::addColumn<QStringList>("kept");
    // The editor still holds her changes when the main menu's Exit ends it.
    QTest::newRow("main menu Exit, Yes")
        << "exit" << QStringList{"answers.dat", "document.rtf", "left-at-exit"};
    QTest::newRow("editor Exit, document not saved")
        << "editor-exit" << QStringList{"answers.dat", "left-at-exit"};
}

// Every exit keeps what is in no file, and only that: the editor's exit
// asked about the document, so the document goes.
void RecoveryProcessTest::endings() {
    QFETCH(QString, exit);
    QFETCH(QStringList, kept);
    Home home;
    Run run(home, {QStringLiteral("enter"), QStringLiteral("answer"), QStringLiteral("Grandma "),
                   QStringLiteral("edit"), QStringLiteral("Once upon a time "), exit});
    QVERIFY(run.finishes());
    QCOMPARE(home.runFolders().size(), 1);
    QCOMPARE(QDir(home.runFolder()).entryList(QDir::Files, QDir::Name), kept);
    QCOMPARE(QDir(home.copies()).entryList({QStringLiteral("*.lock")}, QDir::Files), QStringList());
}

void RecoveryProcessTest::unsavedAnswersOutliveAnExit_data() {
    QTest::addColumn<QString>("answer");
    QTest::newRow("the default") << "default";
    QTest::newRow("No") << "no";
}

// She answers, saves each page, leaves through Exit and Yes without saving
// to a file. The next start asks about them as left, not lost to a crash;
// its default brings them back, No deletes them.
void RecoveryProcessTest::unsavedAnswersOutliveAnExit() {
    QFETCH(QString, answer);
    Home home;
    Answers left;
    {
        Run first(home, steps("enter answer Grandma exit"));
        QVERIFY(first.finishes());
        QCOMPARE(home.runFolders().size(), 1);
        left = readAnswers(QDir(home.runFolder()).filePath(QStringLiteral("answers.dat")));
    }
    const QString report = home.dir.filePath(QStringLiteral("next.dat"));
    Run next(home, {QStringLiteral("--restore"), answer, QStringLiteral("enter"),
                    QStringLiteral("report"), report, QStringLiteral("exit")});
    QVERIFY(next.finishes());
    QVERIFY2(next.messages().value(0).startsWith(QStringLiteral(
                 "You left Vellumora last time without saving 5 answers to a file, so it kept "
                 "them for you, as they were on ")),
             qPrintable(next.messages().value(0)));
    const bool restored = answer == u"default";
    QCOMPARE(readAnswers(report) == left, restored);
    QCOMPARE(answeredIn(report), restored ? 5 : 0);
    // Brought back, they are in no file again; deleted, nothing is left.
    QCOMPARE(home.runFolders().size(), restored ? 1 : 0);
}

// A data file loaded and left through Exit leaves no copy; the next start
// offers to go on with it, and its default loads it.
void RecoveryProcessTest::goesOnWithTheLastDataFile() {
    Home home;
    AnswerStore story;
    for (int position = 1; position <= 12; ++position)
        story.store(position, QStringLiteral("told %1").arg(position));
    QString error;
    QVERIFY2(datafile::saveDataFile(home.dir.filePath(QStringLiteral("Story.rtf")), story, &error),
             qPrintable(error));
    const QString dataFile = home.dir.filePath(QStringLiteral("Story.dat"));
    {
        Run first(home, {QStringLiteral("enter"), QStringLiteral("load"), dataFile,
                         QStringLiteral("exit")});
        QVERIFY(first.finishes());
        QVERIFY(home.runFolders().isEmpty());
    }
    const QString report = home.dir.filePath(QStringLiteral("next.dat"));
    Run next(home, {QStringLiteral("--go-on"), QStringLiteral("default"), QStringLiteral("enter"),
                    QStringLiteral("report"), report, QStringLiteral("exit")});
    QVERIFY(next.finishes());
    QCOMPARE(next.messages().value(0),
             QStringLiteral("Welcome back!  Do you want to go on with your story saved as "
                            "\"Story\" on %1?")
                 .arg(QLocale().toString(QFileInfo(dataFile).lastModified().date(),
                                         QLocale::LongFormat)));
    QCOMPARE(readAnswers(report), readAnswers(dataFile));
    QVERIFY(home.runFolders().isEmpty());
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

    Run second(home, steps("--restore yes enter exit"));
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

void RecoveryProcessTest::strangeLeftovers_data() {
    QTest::addColumn<QString>("leftover");
    QTest::addColumn<QStringList>("told");  ///< in the first message; none at all when empty
    QTest::addColumn<int>("restored");      ///< answers back after the default
    QTest::newRow("a link to her pictures") << "link" << QStringList() << 0;
    QTest::newRow("the lock is a pipe") << "lock pipe" << QStringList() << 0;
    QTest::newRow("the document is a pipe")
        << "document pipe"
        << QStringList{"3 answers,", "A copy of the document you were editing is damaged"} << 3;
    QTest::newRow("a document of 2 GB")
        << "large document" << QStringList{"3 answers,", "more than the editor can open"} << 3;
    QTest::newRow("answers cut short")
        << "cut short" << QStringList{"5 answers,", "damaged part of the way through"} << 5;
    QTest::newRow("answers past the bound")
        << "large answers" << QStringList{"A copy of your answers is damaged and cannot be read"}
        << 0;
    QTest::newRow("older intact, newer damaged")
        << "older intact" << QStringList{"4 answers,", "damaged and cannot be read"} << 4;
    QTest::newRow("a folder where the answers were")
        << "answers folder" << QStringList{"damaged and cannot be read", "could not delete"} << 0;
}

void makeLeftover(const Home& home, const QString& leftover) {
    const QString pictures = home.dir.filePath(QStringLiteral("Pictures"));
    if (leftover == u"link") {
        QDir().mkpath(pictures);
        QDir().mkpath(home.copies());
        for (const char* name : {"garden.jpg", "answers.dat", "document.rtf", "left-at-exit"})
            writeFile(QDir(pictures).filePath(QString::fromLatin1(name)), "\"hers\"");
        QVERIFY(
            QFile::link(pictures, QDir(home.copies()).filePath(QStringLiteral("run-4242-abcdef"))));
    } else if (leftover == u"lock pipe") {
        const QString folder = leaveFolder(home, 3);
        QCOMPARE(::mkfifo(QFile::encodeName(folder + QStringLiteral(".lock")), 0600), 0);
    } else if (leftover == u"document pipe") {
        const QString folder = leaveFolder(home, 3);
        QCOMPARE(::mkfifo(QFile::encodeName(folder + QStringLiteral("/document.rtf")), 0600), 0);
    } else if (leftover == u"large document") {
        const QString folder = leaveFolder(home, 3, true);
        writeFile(folder + QStringLiteral("/document.rtf"), "{\\rtf1 ", 2LL << 30);
    } else if (leftover == u"cut short") {
        const QString copy = leaveFolder(home, 10) + QStringLiteral("/answers.dat");
        QFile file(copy);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        writeFile(copy, bytes.left(bytes.indexOf("\"kept 6\"")));
    } else if (leftover == u"large answers") {
        const QString copy = leaveFolder(home, 3) + QStringLiteral("/answers.dat");
        writeFile(copy, "\"kept\",", RecoveryFolder::kMaxAnswersBytes + 1);
    } else if (leftover == u"older intact") {
        QFile older(leaveFolder(home, 4) + QStringLiteral("/answers.dat"));
        QVERIFY(older.open(QIODevice::Append));
        QVERIFY(older.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                  QFileDevice::FileModificationTime));
        writeFile(leaveFolder(home, 2) + QStringLiteral("/answers.dat"), "\"");
    } else if (leftover == u"answers folder") {
        const QString folder = leaveFolder(home, 0, true);
        QFile::remove(folder + QStringLiteral("/document.rtf"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/answers.dat")));
        writeFile(folder + QStringLiteral("/answers.dat/inside"), "x");
    }
}

// A folder of copies may hold anything, put there by anyone: the program
// goes on, follows no link, opens nothing but ordinary files, offers what
// can be read and names what cannot, never more than once.
void RecoveryProcessTest::strangeLeftovers() {
    QFETCH(QString, leftover);
    QFETCH(QStringList, told);
    QFETCH(int, restored);
    Home home;
    makeLeftover(home, leftover);
    if (QTest::currentTestFailed())
        return;

    const QString report = home.dir.filePath(QStringLiteral("report.dat"));
    Run first(home,
              {QStringLiteral("--restore"), QStringLiteral("default"), QStringLiteral("enter"),
               QStringLiteral("report"), report, QStringLiteral("exit")});
    QVERIFY(first.finishes());
    const QString asked = first.told().join(u'|');
    QCOMPARE(asked.isEmpty(), told.isEmpty());
    for (const QString& words : told)
        QVERIFY2(asked.contains(words), qPrintable(asked));
    QCOMPARE(answeredIn(report), restored);
    QVERIFY(QDir(home.documents()).entryList(QDir::Files).isEmpty());

    Run second(home, steps("--restore no enter exit"));
    QVERIFY(second.finishes());
    for (const QString& text : second.messages())
        QVERIFY2(!text.contains(QStringLiteral("damaged")) &&
                     !text.contains(QStringLiteral("could not delete")) &&
                     !text.contains(QStringLiteral("larger than")),
                 qPrintable(text));
    if (leftover == u"link") {
        const QDir pictures(home.dir.filePath(QStringLiteral("Pictures")));
        QCOMPARE(pictures.entryList(QDir::Files).size(), 4);
        QVERIFY(
            QFileInfo(QDir(home.copies()).filePath(QStringLiteral("run-4242-abcdef"))).isSymLink());
    }
}

QTEST_MAIN(RecoveryProcessTest)
#include "test_recovery_process.moc"
