#include "store/answersonlyinfile.h"
#include "store/answerstore.h"
#include "store/datafile.h"

#include <sys/stat.h>
#include <QTemporaryDir>
#include <QTest>

using namespace vellumora;

class AnswersOnlyInFileTest : public QObject {
    Q_OBJECT

private slots:
    void countsAnsweredSlotsTheStoreHasUnsetOrEmpty();
    void nothingToKeepWhereNoRegularFileIs();
};

// A blank answer counts as an answer; a slot the store answers otherwise is
// the store's to write, not a loss.
void AnswersOnlyInFileTest::countsAnsweredSlotsTheStoreHasUnsetOrEmpty() {
    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("Story.rtf"));
    AnswerStore earlier;
    earlier.store(5, QStringLiteral("lost if replaced"));
    earlier.store(7, QStringLiteral(" "));
    earlier.store(9, QStringLiteral("changed since"));
    earlier.store(12, QString());
    QString error;
    QVERIFY(datafile::saveDataFile(document, earlier, &error));

    AnswerStore now;
    now.store(5, QString());
    now.store(9, QStringLiteral("newer"));
    const datafile::AnswersOnlyInFile found =
        datafile::answersOnlyInFile(datafile::dataFilePathFor(document), now);
    QCOMPARE(found.count, 2);
    QCOMPARE(found.firstPosition, 5);
}

// A named pipe in the data file's place would block the read for good.
void AnswersOnlyInFileTest::nothingToKeepWhereNoRegularFileIs() {
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("Pipe.dat"));
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const AnswerStore store;
    for (const QString& path : {pipe, dir.path(), dir.filePath(QStringLiteral("None.dat"))})
        QCOMPARE(datafile::answersOnlyInFile(path, store).count, 0);
}

QTEST_GUILESS_MAIN(AnswersOnlyInFileTest)
#include "test_answersonlyinfile.moc"
