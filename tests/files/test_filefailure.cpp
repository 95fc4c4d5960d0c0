#include "files/filefailure.h"

#include <QTest>
#include <cerrno>

using vellumora::files::failureReason;

class FileFailureTest : public QObject {
    Q_OBJECT

private slots:
    void systemErrorComesFirstThenQtsCode();
    void unknownErrorStillEndsASentence();
};

// Qt gives most failures one generic code; the system's error number tells
// them apart, and Qt's own code counts only where the system said nothing.
void FileFailureTest::systemErrorComesFirstThenQtsCode() {
    QCOMPARE(failureReason(QFileDevice::WriteError, ENOSPC), QStringLiteral("the disk is full"));
    QCOMPARE(failureReason(QFileDevice::OpenError, EACCES), QStringLiteral("permission denied"));
    QCOMPARE(failureReason(QFileDevice::ResourceError, 0), QStringLiteral("the disk is full"));
    QCOMPARE(failureReason(QFileDevice::ResourceError, EROFS),
             QStringLiteral("the disk cannot be written to"));
    QCOMPARE(failureReason(QFileDevice::OpenError, 0), QStringLiteral("the system gave no reason"));
}

void FileFailureTest::unknownErrorStillEndsASentence() {
    const QString words = failureReason(QFileDevice::RenameError, EXDEV);
    QVERIFY(!words.isEmpty());
    QVERIFY2(words[0].isLower() && !words.endsWith(u'.'), qPrintable(words));
    QVERIFY(words != failureReason(QFileDevice::RenameError, 0));
}

QTEST_GUILESS_MAIN(FileFailureTest)
#include "test_filefailure.moc"
