#pragma once

#include <QSet>
#include <QString>
#include <optional>

namespace vellumora::spelling {

/**
 * The words she added to the dictionary: a plain UTF-8 text file, one word a
 * line, in the user's data folder. A word listed in small letters is also
 * right capitalised or in capitals; one listed with capitals stays so.
 */
class PersonalWords {
public:
    /// The list's file in the user's data folder.
    static QString defaultPath();

    explicit PersonalWords(QString path = defaultPath());

    /// Reads the file; a missing file is an empty list.
    void load();

    bool contains(const QString& word) const;

    /// Adds a word and writes the whole list; on failure the word is kept
    /// for this run only and the message tells why it was not saved.
    std::optional<QString> add(const QString& word);

    const QString& path() const { return path_; }

private:
    QString path_;
    QSet<QString> words_;
    QStringList order_;  ///< as added, so the file reads in that order
};

}  // namespace vellumora::spelling
