#include "spelling/dictionary.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QtConcurrent/QtConcurrentRun>
#include <nuspell/dictionary.hxx>
#include <nuspell/finder.hxx>

namespace vellumora::spelling {

QStringList dictionaryFolders() {
    std::vector<std::filesystem::path> paths;
    nuspell::append_default_dir_paths(paths);
    nuspell::append_libreoffice_dir_paths(paths);
    QStringList folders;
    for (const std::filesystem::path& path : paths) {
        const QString folder = QString::fromStdString(path.string());
        if (!folders.contains(folder))
            folders.append(folder);
    }
    return folders;
}

std::vector<DictionaryFile> installedDictionaries(const QStringList& folders) {
    std::vector<DictionaryFile> found;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        const QStringList affixFiles =
            dir.entryList({QStringLiteral("*.aff")}, QDir::Files | QDir::Readable, QDir::Name);
        for (const QString& aff : affixFiles) {
            const QString name = QFileInfo(aff).completeBaseName();
            // Hyphenation patterns share the folder but are no word lists.
            if (name.startsWith(QLatin1StringView("hyph_")) ||
                !dir.exists(name + QLatin1StringView(".dic")))
                continue;
            found.push_back({name, dir.filePath(aff)});
        }
    }
    return found;
}

std::optional<DictionaryFile> dictionaryFor(const std::vector<DictionaryFile>& installed,
                                            const QLocale& locale) {
    if (installed.empty())
        return std::nullopt;
    const QString name = locale.name();  // "en_GB"
    const QString language = name.section(u'_', 0, 0) + u'_';
    for (const DictionaryFile& file : installed)
        if (file.name == name)
            return file;
    for (const DictionaryFile& file : installed)
        if (file.name.startsWith(language) || file.name == name.section(u'_', 0, 0))
            return file;
    return installed.front();
}

Dictionary::Dictionary(std::unique_ptr<nuspell::Dictionary> engine) : engine_(std::move(engine)) {}

Dictionary::~Dictionary() = default;

Dictionary::Loaded Dictionary::load(const QString& affPath) {
    auto engine = std::make_unique<nuspell::Dictionary>();
    try {
        engine->load_aff_dic(std::filesystem::path(affPath.toStdString()));
    } catch (const std::exception& error) {
        return {nullptr, QStringLiteral("%1: %2").arg(affPath, QString::fromUtf8(error.what()))};
    }
    return {std::shared_ptr<const Dictionary>(new Dictionary(std::move(engine))), {}};
}

QFuture<Dictionary::Loaded> Dictionary::loadShared(const QString& affPath) {
    static QMutex mutex;
    static QHash<QString, QFuture<Loaded>> readings;
    const QMutexLocker lock(&mutex);
    auto reading = readings.find(affPath);
    if (reading == readings.end())
        reading = readings.insert(affPath, QtConcurrent::run(&Dictionary::load, affPath));
    return *reading;
}

bool Dictionary::spell(const QString& word) const {
    return engine_->spell(word.toStdString());
}

QStringList Dictionary::suggest(const QString& word, int max) const {
    std::vector<std::string> found;
    engine_->suggest(word.toStdString(), found);
    QStringList suggestions;
    for (const std::string& suggestion : found) {
        if (suggestions.size() == max)
            break;
        suggestions.append(QString::fromStdString(suggestion));
    }
    return suggestions;
}

}  // namespace vellumora::spelling
