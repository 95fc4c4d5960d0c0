#pragma once

#include "spelling/dictionary.h"
#include "spelling/personalwords.h"

#include <QFutureWatcher>
#include <QHash>
#include <QObject>
#include <QSet>
#include <optional>

namespace vellumora::spelling {

/**
 * The program's one judge of spelling: the dictionary for the system's
 * language, her personal word list and the words she chose to ignore in
 * this run. The dictionary is read in the background on first use, so
 * nothing waits for it; until it is there, and when none is installed,
 * every word counts as right.
 */
class Speller : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxSuggestions = 5;

    explicit Speller(QObject* parent = nullptr);
    ~Speller() override;

    /// Uses this affix file rather than the one for the system's language;
    /// only before first use.
    void useDictionary(const QString& affPath) { chosenAffPath_ = affPath; }
    /// Looks for dictionaries in these folders only; only before first use.
    void useDictionaryFolders(const QStringList& folders) { folders_ = folders; }
    /// Keeps the personal word list in this file; only before first use.
    void usePersonalWords(const QString& path) { personal_ = PersonalWords(path); }

    /// Starts reading the dictionary and the word list unless already begun.
    void prepare();
    bool isReady() const { return dictionary_ != nullptr; }
    /// Starts reading the dictionary if need be and waits until it is
    /// there; false when none is installed or it could not be read.
    bool waitUntilReady();

    /// A word as it stands in the text; false only for one known to be wrong.
    bool isCorrect(QStringView word) const;
    /// At most kMaxSuggestions replacements, written as the word was.
    QStringList suggestions(QStringView word) const;

    /// Adds the word to her list for good; a message when it could not be
    /// saved (the word still counts as right in this run).
    std::optional<QString> addToDictionary(QStringView word);
    /// Counts the word as right for the rest of this run.
    void ignore(QStringView word);

signals:
    /// Verdicts may have changed: the dictionary arrived, or a word was
    /// added or ignored. Marked text should be checked again.
    void verdictsChanged();

private:
    void adoptDictionary();
    void forgetVerdicts();

    QString chosenAffPath_;
    std::optional<QStringList> folders_;
    PersonalWords personal_;
    QSet<QString> ignored_;
    bool prepared_ = false;
    bool readingPending_ = false;  ///< read, not yet taken
    QFutureWatcher<Dictionary::Loaded> reading_;
    std::shared_ptr<const Dictionary> dictionary_;
    /// Verdicts by lookup form: a long story repeats most of its words.
    mutable QHash<QString, bool> verdicts_;
};

}  // namespace vellumora::spelling
