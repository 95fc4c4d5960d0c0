#include "rtf/rtffile.h"

#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

#include "files/filefailure.h"
#include "files/wholefile.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTextDocument>
#include <cerrno>

namespace vellumora::rtf {

namespace {

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

QString tooLarge(qsizetype bound = kMaxInputBytes) {
    return cannotOpen(QStringLiteral("it is larger than %1 MB, more than the editor can hold")
                          .arg(bound / (1024 * 1024)));
}

/// Why a file past one of the reader's bounds is refused, in the user's words.
QString refusal(ReadStatus status) {
    const QLocale locale(QLocale::English);
    switch (status) {
        case ReadStatus::TooLarge:
            return tooLarge();
        case ReadStatus::PicturesTooLarge:
            return cannotOpen(
                QStringLiteral("its pictures hold more than %1 MB, more than the editor can hold")
                    .arg(kMaxPictureBytes / (1024 * 1024)));
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
        case ReadStatus::ParagraphTooLong:
            return cannotOpen(QStringLiteral("one of its paragraphs is longer than %1 characters, "
                                             "more than the editor can show")
                                  .arg(locale.toString(kMaxParagraphLength)));
        case ReadStatus::WordTooLong:
            return cannotOpen(QStringLiteral("it holds more than %1 characters without a space "
                                             "between them, more than the editor can show")
                                  .arg(locale.toString(kMaxWordLength)));
        case ReadStatus::Loaded:
            break;
    }
    return {};
}

}  // namespace

bool loadDocumentFile(const QString& path, QTextDocument& document, QString* errorMessage,
                      const ReadProgress& progress, NotKept* notKept) {
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
    if (info.size() > kMaxFileBytes) {
        return fail(errorMessage, tooLarge(kMaxFileBytes));
    }
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(errorMessage, cannotOpen(files::failureReason(file, errno)));
    }
    // A file of many photos is large: it is read through the memory map
    // where the system has one, not copied whole into memory first.
    QByteArray copy;
    QByteArrayView bytes;
    const qint64 size = file.size();
    if (uchar* mapped = size > 0 ? file.map(0, size) : nullptr) {
        bytes = QByteArrayView(mapped, size);
    } else {
        errno = 0;
        copy = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            return fail(errorMessage, QStringLiteral("The file could not be read: %1.")
                                          .arg(files::failureReason(file, errno)));
        }
        bytes = copy;
    }
    if (const ReadStatus status = readDocument(bytes, document, progress, notKept);
        status != ReadStatus::Loaded) {
        return fail(errorMessage, refusal(status));
    }
    return true;
}

bool saveDocumentFile(const QString& path, const QTextDocument& document, QString* errorMessage) {
    QString reason;
    if (!files::replaceFile(path, writeRtfPieces(document), &reason)) {
        return fail(errorMessage, cannotWrite(reason));
    }
    return true;
}

}  // namespace vellumora::rtf
