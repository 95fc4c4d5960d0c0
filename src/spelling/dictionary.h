#pragma once

#include <QFuture>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace nuspell {
inline namespace v5 {
class Dictionary;
}
}  // namespace nuspell

namespace vellumora::spelling {

/// An installed dictionary: its name ("en_US") and its affix file, beside
/// which lies its word list (.dic).
struct DictionaryFile {
    QString name;
    QString affPath;
};

/// The folders where dictionaries are looked for, the most particular
/// first: those in DICPATH, the user's, then the system's (hunspell,
/// myspell, and LibreOffice's).
QStringList dictionaryFolders();

/// Every dictionary found in the folders, folder by folder, by name within one.
std::vector<DictionaryFile> installedDictionaries(const QStringList& folders);

/// The dictionary for a locale: its own (en_GB), else one of its language
/// (en_US for en_GB), else the first one installed.
std::optional<DictionaryFile> dictionaryFor(const std::vector<DictionaryFile>& installed,
                                            const QLocale& locale);

/**
 * A loaded dictionary. It never changes once loaded, so one copy serves
 * every text area and may be read from any thread.
 */
class Dictionary {
public:
    struct Loaded;

    /// Reads the affix file and its word list; a missing or malformed pair
    /// gives an error message instead.
    static Loaded load(const QString& affPath);

    /// The same, read once per process in a worker thread: every caller for
    /// one file shares the first reading.
    static QFuture<Loaded> loadShared(const QString& affPath);

    ~Dictionary();

    bool spell(const QString& word) const;
    /// At most max suggestions (all for a negative max), the dictionary's best first.
    QStringList suggest(const QString& word, int max) const;

private:
    explicit Dictionary(std::unique_ptr<nuspell::Dictionary> engine);
    std::unique_ptr<nuspell::Dictionary> engine_;
};

struct Dictionary::Loaded {
    std::shared_ptr<const Dictionary> dictionary;  ///< null when the reading failed
    QString error;
};

}  // namespace vellumora::spelling
