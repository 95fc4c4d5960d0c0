#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

namespace vellumora::spelling {

/**
 * The words she added to the dictionary: a plain text file, one word a line,
 * in the user's data folder. A word listed in small letters is also right
 * capitalised or in capitals; one listed with capitals stays so.
 *
 * The file is UTF-8 when the program made it. One made by another editor may
 * be in her locale's 8-bit code page: it is read in that, and a word added
 * is written after the bytes already there in the same code page, so that
 * none of them changes.
 */
class PersonalWords {
public:
    /// The list's file in the user's data folder.
    static QString defaultPath();

    explicit PersonalWords(QString path = defaultPath());

    /// Reads the file; a missing file is an empty list. Something that is
    /// not an ordinary file (a pipe, a folder), or a file that cannot be
    /// read, is no list, and is never written over.
    void load();

    bool contains(const QString& word) const;

    /// Adds a word and writes the list; on failure the word is kept for this
    /// run only and the message tells why it was not saved.
    std::optional<QString> add(const QString& word);

    const QString& path() const { return path_; }

private:
    std::optional<QString> whyNotWritten(const QString& word) const;
    std::optional<QByteArray> encoded(const QString& text) const;

    QString path_;
    QSet<QString> words_;
    QByteArray bytes_;                   ///< the file as read or last written
    QByteArray codePage_;                ///< empty for UTF-8, else the 8-bit code page read in
    QStringList unwritten_;              ///< words added that have not reached the file yet
    std::optional<QString> unreadable_;  ///< why the file is left alone
};

}  // namespace vellumora::spelling
