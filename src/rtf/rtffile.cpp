#include "rtf/rtffile.h"

#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QTextDocument>

namespace vellumora::rtf {

namespace {

/// System error texts put in words a person who is not a technician understands.
struct Reason {
    const char* systemText;
    const char* words;
};

constexpr Reason kReasons[] = {
    {"permission denied", "permission denied"},
    {"access denied", "permission denied"},
    {"no space left", "the disk is full"},
    {"disk quota", "the disk is full"},
    {"file too large", "the file is too large for the disk"},
    {"read-only file system", "the disk cannot be written to"},
    {"no such file", "the folder does not exist"},
    {"is a directory", "a folder of that name is in the way"},
    {"input/output error", "the disk could not be read or written"},
};

QString reasonFor(const QFileDevice& file) {
    const QString system = file.errorString().trimmed();
    for (const Reason& reason : kReasons) {
        if (system.contains(QLatin1String(reason.systemText), Qt::CaseInsensitive)) {
            return QString::fromLatin1(reason.words);
        }
    }
    if (system.isEmpty()) {
        return QStringLiteral("the system gave no reason");
    }
    QString words = system;
    words[0] = words[0].toLower();
    while (words.endsWith(u'.')) {
        words.chop(1);
    }
    return words;
}

bool fail(QString* errorMessage, const QString& message) {
    if (errorMessage) {
        *errorMessage = message;
    }
    return false;
}

QString cannotOpen(const QString& reason) {
    return QStringLiteral("The file could not be opened: %1.").arg(reason);
}

QString cannotWrite(const QString& reason) {
    return QStringLiteral("The file could not be written: %1.").arg(reason);
}

QString tooLarge() {
    return cannotOpen(QStringLiteral("it is larger than %1 MB, more than the editor can hold")
                          .arg(kMaxInputBytes / (1024 * 1024)));
}

/// Why a file past one of the reader's bounds is refused, in the user's words.
QString refusal(ReadStatus status) {
    const QLocale locale(QLocale::English);
    switch (status) {
        case ReadStatus::TooLarge:
            return tooLarge();
        case ReadStatus::TooManyParagraphs:
            return cannotOpen(
                QStringLiteral("it has more than %1 paragraphs, more than the editor can hold")
                    .arg(locale.toString(kMaxParagraphs)));
        case ReadStatus::TooManyRuns:
            return cannotOpen(QStringLiteral("its text changes font or style more than %1 "
                                             "times, more than the editor can hold")
                                  .arg(locale.toString(kMaxRuns)));
        case ReadStatus::ParagraphTooComplex:
            return cannotOpen(QStringLiteral("one of its paragraphs changes font or style more "
                                             "than %1 times, more than the editor can show")
                                  .arg(locale.toString(kMaxRunsInAParagraph)));
        case ReadStatus::Loaded:
            break;
    }
    return {};
}

}  // namespace

bool loadDocumentFile(const QString& path, QTextDocument& document, QString* errorMessage,
                      const ReadProgress& progress) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return fail(errorMessage, cannotOpen(QStringLiteral("it does not exist")));
    }
    if (info.isDir()) {
        return fail(errorMessage, cannotOpen(QStringLiteral("it is a folder, not a file")));
    }
    if (!info.isFile()) {
        // Devices and pipes may never end; only ordinary files are read.
        return fail(errorMessage, cannotOpen(QStringLiteral("it is not an ordinary file")));
    }
    if (info.size() > kMaxInputBytes) {
        return fail(errorMessage, tooLarge());
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(errorMessage, cannotOpen(reasonFor(file)));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return fail(errorMessage,
                    QStringLiteral("The file could not be read: %1.").arg(reasonFor(file)));
    }
    if (const ReadStatus status = readDocument(bytes, document, progress);
        status != ReadStatus::Loaded) {
        return fail(errorMessage, refusal(status));
    }
    return true;
}

bool saveDocumentFile(const QString& path, const QTextDocument& document, QString* errorMessage) {
    const QFileInfo info(path);
    if (info.isDir()) {
        return fail(errorMessage,
                    cannotWrite(QStringLiteral("a folder of that name is in the way")));
    }
    if (!info.absoluteDir().exists()) {
        return fail(errorMessage, cannotWrite(QStringLiteral("the folder does not exist")));
    }
    const QByteArray bytes = writeRtf(document);
    // The new content goes to a temporary file that replaces the old one only when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return fail(errorMessage, cannotWrite(reasonFor(file)));
    }
    if (file.write(bytes) != bytes.size()) {
        // A short write may come without an error; committing it would save half a document.
        const QString reason = file.error() == QFileDevice::NoError
                                   ? QStringLiteral("the disk is full or takes no file this large")
                                   : reasonFor(file);
        file.cancelWriting();  // the temporary file goes with the QSaveFile
        return fail(errorMessage, cannotWrite(reason));
    }
    if (!file.commit()) {
        return fail(errorMessage, cannotWrite(reasonFor(file)));
    }
    return true;
}

}  // namespace vellumora::rtf
