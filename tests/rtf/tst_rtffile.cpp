#include "rtf/rtffile.h"
#include "rtf/rtfreader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

#include "filesizelimit.h"

using namespace vellumora::rtf;
using vellumora::test::FileSizeLimit;

namespace {

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class RtfFileTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void savesAndLoadsBack();
    void replacesLongerFileCompletely();
    void loadsPlainTextFile();
    void refusesToLoad_data();
    void refusesToLoad();
    void refusesToSave_data();
    void refusesToSave();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

void RtfFileTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void RtfFileTest::savesAndLoadsBack() {
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("arial"), 12));
    QTextCursor cursor(&document);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("My life, "));
    cursor.insertText(QStringLiteral("Ода"), bold);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("second 😀"));
    const QString path = dir_->filePath(QStringLiteral("story.rtf"));

    QString error = QStringLiteral("untouched");
    QVERIFY(saveDocumentFile(path, document, &error));
    QCOMPARE(error, QStringLiteral("untouched"));

    QTextDocument loaded;
    loaded.setPlainText(QStringLiteral("old content"));
    QVERIFY(loadDocumentFile(path, loaded, &error));
    QCOMPARE(loaded.toPlainText(), QStringLiteral("My life, Ода\nsecond 😀"));
    QCOMPARE(loaded.blockCount(), 2);
    QTextCursor inBold(&loaded);
    inBold.setPosition(11);
    QCOMPARE(inBold.charFormat().fontWeight(), int(QFont::Bold));
    QCOMPARE(inBold.charFormat().fontFamilies().toStringList().value(0), QStringLiteral("arial"));
    QVERIFY(!loaded.isUndoAvailable());
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{QStringLiteral("story.rtf")});
}

void RtfFileTest::replacesLongerFileCompletely() {
    const QString path = dir_->filePath(QStringLiteral("story.rtf"));
    QVERIFY(writeBytes(path, QByteArray(100000, 'x')));
    QTextDocument document;
    document.setPlainText(QStringLiteral("short"));
    QVERIFY(saveDocumentFile(path, document, nullptr));
    const QByteArray written = readBytes(path);
    QVERIFY(written.startsWith("{\\rtf1"));
    QVERIFY(written.endsWith("}\r\n"));
    QVERIFY(!written.contains("xxx"));
}

void RtfFileTest::loadsPlainTextFile() {
    const QString path = dir_->filePath(QStringLiteral("notes.txt"));
    QVERIFY(writeBytes(path, "first line\r\nsecond: caf\xe9\r\n"));
    QTextDocument document;
    QVERIFY(loadDocumentFile(path, document, nullptr));
    QCOMPARE(document.toPlainText(), QStringLiteral("first line\nsecond: café\n"));
}

void RtfFileTest::refusesToLoad_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file") << "missing.rtf"
                                  << "The file could not be opened: it does not exist.";
    QTest::newRow("folder") << "folder"
                            << "The file could not be opened: it is a folder, not a file.";
    QTest::newRow("too large") << "huge.rtf"
                               << "The file could not be opened: it is larger than 64 MB, more "
                                  "than the editor can hold.";
}

void RtfFileTest::refusesToLoad() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("folder")));
    QFile huge(dir_->filePath(QStringLiteral("huge.rtf")));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(kMaxInputBytes + 1));
    huge.close();

    QTextDocument document;
    document.setPlainText(QStringLiteral("kept"));
    QString error;
    QVERIFY(!loadDocumentFile(dir_->filePath(name), document, &error));
    QCOMPARE(error, message);
    QCOMPARE(document.toPlainText(), QStringLiteral("kept"));
    QVERIFY(!loadDocumentFile(dir_->filePath(name), document, nullptr));
}

void RtfFileTest::refusesToSave_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing folder") << "nowhere/story.rtf"
                                    << "The file could not be written: the folder does not exist.";
    QTest::newRow("folder in the way")
        << "folder"
        << "The file could not be written: a folder of that name is in the way.";
}

void RtfFileTest::refusesToSave() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("folder")));
    QTextDocument document;
    document.setPlainText(QStringLiteral("text"));
    QString error;
    QVERIFY(!saveDocumentFile(dir_->filePath(name), document, &error));
    QCOMPARE(error, message);
    QVERIFY(!saveDocumentFile(dir_->filePath(name), document, nullptr));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList());
}

// A document smaller than Qt's write buffer meets the disk only when the
// file is committed; one larger, already while it is written.
void RtfFileTest::failedWriteKeepsOldFile_data() {
    QTest::addColumn<int>("length");
    QTest::newRow("smaller than a write buffer") << 10000;
    QTest::newRow("larger") << 200000;
}

void RtfFileTest::failedWriteKeepsOldFile() {
    QFETCH(int, length);
    const QString path = dir_->filePath(QStringLiteral("story.rtf"));
    const QByteArray old = "{\\rtf1 the old story}";
    QVERIFY(writeBytes(path, old));
    QTextDocument document;
    document.setPlainText(QString(length, u'n'));

    QString error;
    bool saved = true;
    {
        const FileSizeLimit limit(4096);
        saved = saveDocumentFile(path, document, &error);
    }
    QVERIFY(!saved);
    QCOMPARE(error, QStringLiteral("The file could not be written: the file is too large for the "
                                   "disk."));
    QCOMPARE(readBytes(path), old);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{QStringLiteral("story.rtf")});
}

QTEST_MAIN(RtfFileTest)
#include "tst_rtffile.moc"
