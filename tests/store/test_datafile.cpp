#include "store/answerstore.h"
#include "store/datafile.h"

#include <sys/stat.h>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include "filesizelimit.h"

using namespace vellumora;

namespace {

datafile::ReadResult readBytes(const QByteArray& bytes, AnswerStore& store) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return datafile::read(buffer, store);
}

// A stream that never ends: one quoted field that never closes.
class EndlessDevice : public QIODevice {
public:
    EndlessDevice() { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    qint64 bytesRead() const { return bytesRead_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        std::fill_n(data, maxSize, 'x');
        if (bytesRead_ == 0 && maxSize > 0)
            data[0] = '"';
        bytesRead_ += maxSize;
        return maxSize;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    qint64 bytesRead_ = 0;
};

/// A literal's bytes, NUL bytes inside included.
template <std::size_t N>
QByteArray bytesOf(const char (&literal)[N]) {
    return QByteArray(literal, qsizetype(N - 1));
}

QByteArray fields(int count, const QByteArray& each) {
    QByteArrayList list;
    for (int i = 0; i < count; ++i)
        list << each;
    return list.join(',');
}

// The answers a load starts from in the tests of what loads: a few, so that
// a load that changed nothing can be told from one that did.
void answerSome(AnswerStore& store) {
    for (const int position : {1, 60, 81})
        store.store(position, QStringLiteral("before"));
}

/// The data file of those answers with the first `count` set to text.
QByteArray someAnswersThenFirst(int count, const QString& text) {
    AnswerStore store;
    answerSome(store);
    for (int position = 1; position <= count; ++position)
        store.store(position, text);
    return datafile::encode(store);
}

}  // namespace

class DataFileTest : public QObject {
    Q_OBJECT

private slots:
    void emptyStoreGivesThe106ByteFile();
    void firstAnswerKeepsItsComma();
    void roundTripKeepsEveryStateAndText_data();
    void roundTripKeepsEveryStateAndText();
    void windows1252ForWhatItCanHold();
    void utf8WithByteOrderMarkOtherwise();
    void readerDetectsCodePage_data();
    void readerDetectsCodePage();
    void readerFieldRules_data();
    void readerFieldRules();
    void onlyDataFilesLoad_data();
    void onlyDataFilesLoad();
    void shortFileSetsOnlyWhatItHas();
    void longFileStopsAfterTheLastField();
    void hostileBytesNeverCrash_data();
    void hostileBytesNeverCrash();
    void dataFilePathFor_data();
    void dataFilePathFor();
    void saveWritesBesideTheDocumentAndOverwrites();
    void saveReportsAMissingFolder();
    void saveOnAFullDiskKeepsTheOldFile();
    void readFileThatCannotOpenChangesNothing();
    void readFileTakesOnlyOrdinaryFiles_data();
    void readFileTakesOnlyOrdinaryFiles();
    void readIsBoundedAsAWhole();
    void endlessStreamLoadsNothing();
};

void DataFileTest::emptyStoreGivesThe106ByteFile() {
    const QByteArray bytes = datafile::encode(AnswerStore());
    QCOMPARE(bytes.size(), 106);
    QVERIFY(bytes.startsWith(",,,,,,,,,\"\","));
    QVERIFY(bytes.endsWith(",\"\"\r\n"));
    const QList<QByteArray> parts = bytes.chopped(2).split(',');
    QCOMPARE(parts.size(), 81);
    const QList<int> quoted = {10, 18, 23, 26, 33, 44, 51, 61, 64, 71, 76, 81};
    for (int position = 1; position <= 81; ++position)
        QCOMPARE(parts[position - 1],
                 quoted.contains(position) ? QByteArray("\"\"") : QByteArray());
}

void DataFileTest::firstAnswerKeepsItsComma() {
    AnswerStore store;
    store.store(u"Childhood.GrowUp", QStringLiteral("A teacher, of course"));
    const QByteArray bytes = datafile::encode(store);
    QVERIFY(bytes.startsWith("\"A teacher, of course\",,,,,,,,,\"\","));
    AnswerStore back;
    QCOMPARE(readBytes(bytes, back), datafile::ReadResult::Complete);
    QCOMPARE(back.answer(1), QStringLiteral("A teacher, of course"));
    QVERIFY(!back.state(2));
}

void DataFileTest::roundTripKeepsEveryStateAndText_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty text") << QString();
    QTest::newRow("one blank") << QStringLiteral(" ");
    QTest::newRow("line breaks") << QStringLiteral("First line\r\nsecond line\r\n\r\n");
    QTest::newRow("commas") << QStringLiteral(",,a,b,");
    QTest::newRow("quotation marks") << QStringLiteral("He said \"yes\", then \"\" and \"");
    QTest::newRow("only a mark") << QStringLiteral("\"");
    QTest::newRow("windows-1252") << QStringLiteral("Caf\u00e9 \u20ac5 \u2014 \u201cquoted\u201d");
    QTest::newRow("windows-1252 bytes that read as utf-8")
        << QStringLiteral("\u00c8\u0152 and \u00c3\u00a9");
    QTest::newRow("beyond windows-1252")
        << QStringLiteral("\u0411\u0430\u0431\u0443\u0448\u043a\u0430 \U0001F600 \u4e2d");
    QTest::newRow("leading blanks") << QStringLiteral("   indented");
}

void DataFileTest::roundTripKeepsEveryStateAndText() {
    QFETCH(QString, text);
    AnswerStore store;
    store.store(5, text);
    store.store(81, text);
    store.store(40, QStringLiteral("neighbour"));
    AnswerStore back;
    back.store(2, QStringLiteral("to be unset by the file"));
    QCOMPARE(readBytes(datafile::encode(store), back), datafile::ReadResult::Complete);
    for (int position = 1; position <= 81; ++position)
        QCOMPARE(back.state(position), store.state(position));
}

void DataFileTest::windows1252ForWhatItCanHold() {
    AnswerStore store;
    store.store(1, QStringLiteral("\u20ac\u00e9\u2019"));
    const QByteArray bytes = datafile::encode(store);
    QVERIFY(bytes.startsWith("\"\x80\xe9\x92\","));
}

void DataFileTest::utf8WithByteOrderMarkOtherwise() {
    AnswerStore store;
    store.store(1, QStringLiteral("\u00e9"));
    store.store(2, QStringLiteral("\u0416"));
    const QByteArray bytes = datafile::encode(store);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF\"\xC3\xA9\",\"\xD0\x96\","));
}

void DataFileTest::readerDetectsCodePage_data() {
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ascii") << QByteArray("\"plain\"") << QStringLiteral("plain");
    QTest::newRow("windows-1252") << QByteArray("\"caf\xe9 \x93q\x94\"")
                                  << QStringLiteral("caf\u00e9 \u201cq\u201d");
    QTest::newRow("utf-8 without mark")
        << QByteArray("\"caf\xc3\xa9\"") << QStringLiteral("caf\u00e9");
    QTest::newRow("utf-8 with mark")
        << QByteArray("\xEF\xBB\xBF\"\xe2\x82\xac\"") << QStringLiteral("\u20ac");
}

void DataFileTest::readerDetectsCodePage() {
    QFETCH(QByteArray, first);
    QFETCH(QString, expected);
    AnswerStore store;
    QCOMPARE(readBytes(first + ',' + fields(80, "") + "\r\n", store),
             datafile::ReadResult::Complete);
    QCOMPARE(store.answer(1), expected);
}

void DataFileTest::readerFieldRules_data() {
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("blanks before fields") << QByteArray("  \"a\",\t \"b\"") << "a"
                                          << "b";
    QTest::newRow("text after the closing mark is skipped") << QByteArray("\"a\"junk,\"b\"") << "a"
                                                            << "b";
    QTest::newRow("text after the closing mark longer than a block")
        << "\"a\"" + QByteArray(200000, 'j') + ",\"b\""
        << "a"
        << "b";
    QTest::newRow("blanks around an empty field") << QByteArray(" \t ,\"b\"") << ""
                                                  << "b";
    QTest::newRow("line end separates like a comma") << QByteArray("\"a\"\n\"b\"") << "a"
                                                     << "b";
    QTest::newRow("cr lf counts once") << QByteArray("\"a\"\r\n\"b\"") << "a"
                                       << "b";
    QTest::newRow("line break inside quotes stays") << QByteArray("\"a\r\nz\",\"b\"") << "a\r\nz"
                                                    << "b";
    QTest::newRow("an inner mark of an older file ends the field")
        << QByteArray("\"say \"hi\" now\",\"b\"") << "say "
        << "b";
}

void DataFileTest::readerFieldRules() {
    QFETCH(QByteArray, start);
    QFETCH(QString, first);
    QFETCH(QString, second);
    AnswerStore store;
    QCOMPARE(readBytes(start + ',' + fields(79, "\"x\"") + "\r\n", store),
             datafile::ReadResult::Complete);
    QCOMPARE(store.answer(1), first);
    QCOMPARE(store.answer(2), second);
    QCOMPARE(store.answer(81), QStringLiteral("x"));
}

// Whatever the writer can write loads, as do the shorter and longer files of
// the specified forms; a file the writer could never have written is
// refused whole. "after" is the answers afterwards, as the writer writes them.
void DataFileTest::onlyDataFilesLoad_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("after");
    const int complete = int(datafile::ReadResult::Complete);
    const int incomplete = int(datafile::ReadResult::Incomplete);
    const int refused = int(datafile::ReadResult::NotADataFile);
    const auto written = [&](const char* name, const QString& everyAnswer) {
        const QByteArray bytes = someAnswersThenFirst(81, everyAnswer);
        QTest::newRow(name) << bytes << complete << bytes;
    };

    const QByteArray nothingStored = datafile::encode(AnswerStore());
    QTest::newRow("written: nothing stored") << nothingStored << complete << nothingStored;
    written("written: empty texts", QString());
    written("written: quotation marks", QStringLiteral("He said \"yes\", \"\" and \""));
    written("written: line breaks", QStringLiteral("First line\r\n\r\nthird, \"quoted\"\r\n"));
    written("written: windows-1252", QStringLiteral("Caf\u00e9 \u20ac5 \u2014 \u201cso\u201d"));
    written("written: utf-8",
            QStringLiteral("\u0411\u0430\u0431\u0443\u0448\u043a\u0430 \U0001F600"));
    written("written: 64 KB answers", QStringLiteral("We lived by the river.\r\n").repeated(2800));
    written("written: a nul typed into an answer", QStringLiteral("a") + QChar(0) + u'b');
    QTest::newRow("50 fields") << fields(50, "\"new\"") + "\r\n"
                               << incomplete << someAnswersThenFirst(50, QStringLiteral("new"));
    QTest::newRow("90 fields") << fields(90, "\"new\"") + "\r\n"
                               << complete << someAnswersThenFirst(81, QStringLiteral("new"));

    const QByteArray untouched = someAnswersThenFirst(0, {});
    QTest::newRow("rtf document")
        << QByteArray(
               "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\r\n\\f0\\fs24 My Life "
               "Story\\par\r\nI was born, as my mother said, \"on a Tuesday\".\\par\r\n}\r\n")
        << refused << untouched;
    QTest::newRow("png picture")
        << bytesOf("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0") << refused
        << untouched;
    QByteArray pdf(
        "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\n"
        "endobj\n2 0 obj\n<< /Length 3 0 R /Filter /FlateDecode >>\nstream\n");
    for (int i = 0; pdf.size() < 1024; ++i)
        pdf.append(char((i * 131 + 7) % 256));
    QTest::newRow("pdf's first kilobyte") << pdf << refused << untouched;
    QTest::newRow("plain text letter")
        << QByteArray("Dear Anna,\r\n\r\nthank you for the photographs, \"the\" best.\r\n")
        << refused << untouched;
    QTest::newRow("nul inside a quoted field")
        << bytesOf("\"a\0b\",") + fields(80, "\"x\"") + "\r\n"
        << refused << untouched;
    QTest::newRow("nul after a closing mark") << bytesOf("\"a\"\0,") + fields(80, "\"x\"") + "\r\n"
                                              << refused << untouched;
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    const QByteArray utf16File =
        utf16.encode(QString::fromLatin1(someAnswersThenFirst(81, QStringLiteral("x"))));
    QTest::newRow("utf-16 with byte-order mark") << utf16File << refused << untouched;
}

void DataFileTest::onlyDataFilesLoad() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, result);
    QFETCH(QByteArray, after);
    AnswerStore store;
    answerSome(store);
    QCOMPARE(int(readBytes(bytes, store)), result);
    QCOMPARE(datafile::encode(store), after);
}

void DataFileTest::shortFileSetsOnlyWhatItHas() {
    AnswerStore store;
    store.store(60, QStringLiteral("kept"));
    QCOMPARE(readBytes(fields(50, "\"new\"") + "\r\n", store), datafile::ReadResult::Incomplete);
    QCOMPARE(store.answer(50), QStringLiteral("new"));
    QCOMPARE(store.answer(60), QStringLiteral("kept"));
    QVERIFY(!store.state(52));
}

void DataFileTest::longFileStopsAfterTheLastField() {
    const QByteArray bytes = fields(81, "\"a\"") + "\r\n" + fields(9, "\"b\"") + "\r\n";
    AnswerStore store;
    QCOMPARE(readBytes(bytes, store), datafile::ReadResult::Complete);
    QCOMPARE(store.answer(81), QStringLiteral("a"));
}

void DataFileTest::hostileBytesNeverCrash_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("result");
    const int complete = int(datafile::ReadResult::Complete);
    const int incomplete = int(datafile::ReadResult::Incomplete);
    const int refused = int(datafile::ReadResult::NotADataFile);
    QTest::newRow("empty") << QByteArray() << incomplete;
    QTest::newRow("unclosed quote") << QByteArray("\"never closed, at all") << incomplete;
    QTest::newRow("no quotes no commas") << QByteArray(100000, 'x') << refused;
    QTest::newRow("nul bytes") << QByteArray(5000, '\0') << refused;
    QTest::newRow("only commas") << QByteArray(200, ',') << complete;
    QTest::newRow("only line ends") << QByteArray(200, '\n') << complete;
    QByteArray binary;
    for (int i = 0; i < 70000; ++i)
        binary.append(char((i * 7919) % 256));
    QTest::newRow("binary") << binary << -1;
    QTest::newRow("byte-order marks as text") << QByteArray(" \xEF\xBB\xBF\xEF\xBB\xBF") << refused;
    QTest::newRow("byte-order marks between line ends")
        << QByteArray("\r\xEF\xBB\xBF\xEF\xBB\xBF\r\rg\r\n\r\rg\r\n\rg\n") << refused;
}

void DataFileTest::hostileBytesNeverCrash() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, result);
    AnswerStore store;
    const datafile::ReadResult got = readBytes(bytes, store);
    if (result >= 0)
        QCOMPARE(int(got), result);
    // Whatever was read writes and reads back unchanged.
    AnswerStore back;
    QCOMPARE(readBytes(datafile::encode(store), back), datafile::ReadResult::Complete);
    for (int position = 1; position <= 81; ++position)
        QCOMPARE(back.state(position), store.state(position));
}

void DataFileTest::dataFilePathFor_data() {
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("data");
    QTest::newRow("rtf") << "/home/ann/Story.rtf"
                         << "/home/ann/Story.dat";
    QTest::newRow("upper case") << "/home/ann/STORY.RTF"
                                << "/home/ann/STORY.dat";
    QTest::newRow("no extension") << "/home/ann/Story"
                                  << "/home/ann/Story.dat";
    QTest::newRow("txt") << "/home/ann/Notes.txt"
                         << "/home/ann/Notes.dat";
    QTest::newRow("point in folder") << "/home/My.rtf files/Story"
                                     << "/home/My.rtf files/Story.dat";
    QTest::newRow("windows path") << "C:\\My.rtf files\\Story.rtf"
                                  << "C:\\My.rtf files\\Story.dat";
    QTest::newRow("last point") << "/a/b.c.rtf"
                                << "/a/b.c.dat";
}

void DataFileTest::dataFilePathFor() {
    QFETCH(QString, document);
    QFETCH(QString, data);
    QCOMPARE(datafile::dataFilePathFor(document), data);
}

void DataFileTest::saveWritesBesideTheDocumentAndOverwrites() {
    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("Story.rtf"));
    AnswerStore store;
    QString error;
    QVERIFY(datafile::saveDataFile(document, store, &error));
    store.store(1, QStringLiteral("second save"));
    QVERIFY(datafile::saveDataFile(document, store, &error));
    QFile file(dir.filePath(QStringLiteral("Story.dat")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), datafile::encode(store));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Story.dat"});
}

void DataFileTest::saveReportsAMissingFolder() {
    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("missing/Story.rtf"));
    QString error;
    QVERIFY(!datafile::saveDataFile(document, AnswerStore(), &error));
    QCOMPARE(error, QStringLiteral("The data file \"%1\" could not be saved: the folder does not "
                                   "exist.")
                        .arg(QDir::toNativeSeparators(dir.filePath("missing/Story.dat"))));
}

// A data file is far smaller than Qt's write buffer, so the disk is met only
// when the file is committed; a full disk there must not pass for a save.
void DataFileTest::saveOnAFullDiskKeepsTheOldFile() {
    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("Story.rtf"));
    const QString path = dir.filePath(QStringLiteral("Story.dat"));
    AnswerStore old;
    old.store(1, QStringLiteral("the old answer"));
    QVERIFY(datafile::saveDataFile(document, old, nullptr));
    AnswerStore store;
    store.store(1, QString(1000, u'n'));

    QString error;
    bool saved = true;
    {
        const test::FileSizeLimit limit(512);
        saved = datafile::saveDataFile(document, store, &error);
    }
    QVERIFY(!saved);
    QCOMPARE(error, QStringLiteral("The data file \"%1\" could not be saved: the file is too large "
                                   "for the disk.")
                        .arg(QDir::toNativeSeparators(path)));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), datafile::encode(old));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Story.dat"});
}

void DataFileTest::readFileThatCannotOpenChangesNothing() {
    AnswerStore store;
    store.store(1, QStringLiteral("kept"));
    QCOMPARE(datafile::readFile(QStringLiteral("/nonexistent/x.dat"), store),
             datafile::ReadResult::CannotOpen);
    QCOMPARE(store.answer(1), QStringLiteral("kept"));
}

// A pipe or a device could keep the load waiting for ever, a folder holds
// nothing: each fails at once, as a file that cannot be opened does.
void DataFileTest::readFileTakesOnlyOrdinaryFiles_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("named pipe") << "pipe.dat";
    QTest::newRow("folder") << "folder.dat";
    QTest::newRow("endless device") << "/dev/zero";
}

void DataFileTest::readFileTakesOnlyOrdinaryFiles() {
    QFETCH(QString, name);
    QTemporaryDir dir;
    QCOMPARE(mkfifo(QFile::encodeName(dir.filePath("pipe.dat")).constData(), 0600), 0);
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.dat")));
    AnswerStore store;
    store.store(1, QStringLiteral("kept"));
    const QString path = QDir(dir.path()).absoluteFilePath(name);  // /dev/zero stays as it is
    QCOMPARE(datafile::readFile(path, store), datafile::ReadResult::CannotOpen);
    QCOMPARE(store.answer(1), QStringLiteral("kept"));
}

// The bound is on the whole file, not on what the 81 fields take of it.
void DataFileTest::readIsBoundedAsAWhole() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.dat"));
    AnswerStore answers;
    answers.store(1, QStringLiteral("first"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(datafile::encode(answers)) > 0);
        QVERIFY(file.resize(datafile::kMaxFileBytes));  // the rest reads as NUL bytes
    }
    AnswerStore store;
    QCOMPARE(datafile::readFile(path, store), datafile::ReadResult::Complete);
    QCOMPARE(store.answer(1), QStringLiteral("first"));

    QVERIFY(QFile::resize(path, datafile::kMaxFileBytes + 1));
    AnswerStore untouched;
    untouched.store(1, QStringLiteral("kept"));
    QCOMPARE(datafile::readFile(path, untouched), datafile::ReadResult::TooLarge);
    QCOMPARE(untouched.answer(1), QStringLiteral("kept"));
}

void DataFileTest::endlessStreamLoadsNothing() {
    EndlessDevice endless;
    AnswerStore store;
    store.store(1, QStringLiteral("kept"));
    QCOMPARE(datafile::read(endless, store), datafile::ReadResult::TooLarge);
    QCOMPARE(store.answer(1), QStringLiteral("kept"));
    QVERIFY(endless.bytesRead() <= datafile::kMaxFileBytes + 64 * 1024);
}

QTEST_GUILESS_MAIN(DataFileTest)
#include "test_datafile.moc"
