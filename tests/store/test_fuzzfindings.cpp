// Every input a data-file fuzzer ever stopped at, through that fuzzer's checks.
#include "datafileproperties.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace vellumora;

class FuzzFindingsTest : public QObject {
    Q_OBJECT

private slots:
    void findingsHoldEveryProperty_data();
    void findingsHoldEveryProperty();
};

void FuzzFindingsTest::findingsHoldEveryProperty_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("asAnswers");
    for (const bool asAnswers : {false, true}) {
        const QDir folder(QStringLiteral(FUZZ_FINDINGS_DIR) +
                          (asAnswers ? QStringLiteral("/roundtrip") : QStringLiteral("/reader")));
        const QStringList names = folder.entryList(QDir::Files);
        QVERIFY2(!names.isEmpty(), qPrintable(folder.path()));
        for (const QString& name : names)
            QTest::newRow(qPrintable(folder.dirName() + u'/' + name))
                << folder.filePath(name) << asAnswers;
    }
}

void FuzzFindingsTest::findingsHoldEveryProperty() {
    QFETCH(QString, path);
    QFETCH(bool, asAnswers);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QString broken =
        asAnswers ? fuzzing::writerRoundTrip(bytes) : fuzzing::readerRoundTrip(bytes);
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
}

QTEST_GUILESS_MAIN(FuzzFindingsTest)
#include "test_fuzzfindings.moc"
