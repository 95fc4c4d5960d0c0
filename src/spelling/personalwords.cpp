#include "spelling/personalwords.h"

#include "files/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>

#ifdef Q_OS_UNIX
#include <langinfo.h>
#endif

namespace vellumora::spelling {

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// The 8-bit code page of her locale, for a list that is not UTF-8. Where the
// locale is UTF-8 or plain ASCII, or names a code page Qt cannot convert,
// Latin-1 stands in: it takes every byte to a character and back unchanged.
QByteArray localeCodePage() {
#ifdef Q_OS_UNIX
    const QByteArray name(nl_langinfo(CODESET));
    const QByteArray lower = name.toLower();
    const bool eightBit =
        !lower.contains("utf") && !lower.contains("ascii") && lower != "ansi_x3.4-1968";
    if (eightBit && QStringDecoder(name.constData()).isValid())
        return name;
#endif
    return QByteArrayLiteral("ISO-8859-1");
}

std::optional<QString> utf8Text(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QString notAnOrdinaryFile(const QString& path) {
    return QStringLiteral("%1 is not an ordinary file, so it was left as it is").arg(shown(path));
}

}  // namespace

QString PersonalWords::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QLatin1StringView("/personal-words.txt");
}

PersonalWords::PersonalWords(QString path) : path_(std::move(path)) {}

void PersonalWords::load() {
    words_.clear();
    bytes_.clear();
    codePage_.clear();
    unwritten_.clear();
    unreadable_.reset();
    const QFileInfo info(path_);
    if (!info.exists())
        return;
    // Opening a named pipe waits for a writer that never comes, and the list
    // is read as the first question page opens.
    if (!info.isFile()) {
        unreadable_ = notAnOrdinaryFile(path_);
        return;
    }
    QFile file(path_);
    if (file.open(QIODevice::ReadOnly))
        bytes_ = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        bytes_.clear();
        unreadable_ =
            QStringLiteral("the word list %1 could not be read, so it was not written over")
                .arg(shown(path_));
        return;
    }
    std::optional<QString> text = utf8Text(bytes_);
    if (!text) {
        codePage_ = localeCodePage();
        text = QStringDecoder(codePage_.constData()).decode(bytes_);
    }
    for (const QString& line : text->split(u'\n')) {
        const QString word = line.trimmed();
        if (!word.isEmpty())
            words_.insert(word);
    }
}

bool PersonalWords::contains(const QString& word) const {
    if (words_.contains(word))
        return true;
    // "Grünwald" listed covers GRÜNWALD; "teh" listed covers Teh and TEH.
    const QString lower = word.toLower();
    if (lower == word)
        return false;
    const QString capitalised = lower.left(1).toUpper() + lower.mid(1);
    return words_.contains(lower) || words_.contains(capitalised);
}

// The bytes already in the file stay exactly as they were; the new words
// follow them, one a line, in the file's own code page.
std::optional<QString> PersonalWords::add(const QString& word) {
    if (word.isEmpty() || words_.contains(word))
        return std::nullopt;
    words_.insert(word);
    if (const std::optional<QString> why = whyNotWritten(word))
        return why;
    unwritten_.append(word);
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("the folder %1 could not be made").arg(shown(folder));
    QByteArray bytes = bytes_;
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        bytes.append('\n');
    bytes.append(*encoded(unwritten_.join(u'\n') + u'\n'));
    QString reason;
    if (!files::replaceFile(path_, bytes, &reason))
        return reason;
    bytes_ = bytes;
    unwritten_.clear();
    return std::nullopt;
}

// A list that could not be read, or whose place something else has taken
// since, is not written over; nor is a word that the list's code page cannot
// hold written in another one.
std::optional<QString> PersonalWords::whyNotWritten(const QString& word) const {
    if (unreadable_)
        return unreadable_;
    const QFileInfo info(path_);
    if (info.exists() && !info.isFile())
        return notAnOrdinaryFile(path_);
    if (!encoded(word))
        return QStringLiteral(
                   "the word list %1 is written in the character set %2, which cannot "
                   "hold this word")
            .arg(shown(path_), QString::fromLatin1(codePage_));
    return std::nullopt;
}

std::optional<QByteArray> PersonalWords::encoded(const QString& text) const {
    if (codePage_.isEmpty())
        return text.toUtf8();
    QStringEncoder encoder(codePage_.constData());
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

}  // namespace vellumora::spelling
