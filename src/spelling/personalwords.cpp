#include "spelling/personalwords.h"

#include "files/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace vellumora::spelling {

QString PersonalWords::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QLatin1StringView("/personal-words.txt");
}

PersonalWords::PersonalWords(QString path) : path_(std::move(path)) {}

void PersonalWords::load() {
    words_.clear();
    order_.clear();
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString& line : lines) {
        const QString word = line.trimmed();
        if (!word.isEmpty() && !words_.contains(word)) {
            words_.insert(word);
            order_.append(word);
        }
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

std::optional<QString> PersonalWords::add(const QString& word) {
    if (word.isEmpty() || words_.contains(word))
        return std::nullopt;
    words_.insert(word);
    order_.append(word);
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("the folder %1 could not be made")
            .arg(QDir::toNativeSeparators(folder));
    QString reason;
    if (!files::replaceFile(path_, order_.join(u'\n').toUtf8() + '\n', &reason))
        return reason;
    return std::nullopt;
}

}  // namespace vellumora::spelling
