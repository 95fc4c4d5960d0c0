#include "spelling/speller.h"

#include "spelling/wordfinder.h"

#include <QtDebug>

namespace vellumora::spelling {

Speller::Speller(QObject* parent) : QObject(parent) {
    connect(&reading_, &QFutureWatcher<Dictionary::Loaded>::finished, this,
            &Speller::adoptDictionary);
}

Speller::~Speller() = default;

void Speller::prepare() {
    if (prepared_)
        return;
    prepared_ = true;
    personal_.load();
    QString affPath = chosenAffPath_;
    if (affPath.isEmpty()) {
        const std::optional<DictionaryFile> file = dictionaryFor(
            installedDictionaries(folders_.value_or(dictionaryFolders())), QLocale::system());
        if (!file) {
            qWarning("No spelling dictionary is installed, so spelling is not checked.");
            return;
        }
        affPath = file->affPath;
    }
    reading_.setFuture(Dictionary::loadShared(affPath));
    readingPending_ = true;
}

bool Speller::waitUntilReady() {
    prepare();
    if (readingPending_) {
        reading_.waitForFinished();
        adoptDictionary();
    }
    return dictionary_ != nullptr;
}

void Speller::adoptDictionary() {
    // Once waited for, the dictionary is taken before the watcher tells of it.
    if (!readingPending_)
        return;
    readingPending_ = false;
    const Dictionary::Loaded loaded = reading_.result();
    if (!loaded.dictionary) {
        qWarning("The spelling dictionary could not be read, so spelling is not checked: %s",
                 qUtf8Printable(loaded.error));
        return;
    }
    dictionary_ = loaded.dictionary;
    forgetVerdicts();
}

void Speller::forgetVerdicts() {
    verdicts_.clear();
    emit verdictsChanged();
}

bool Speller::isCorrect(QStringView word) const {
    if (!dictionary_)
        return true;
    const QString form = lookupForm(word);
    const auto known = verdicts_.constFind(form);
    if (known != verdicts_.constEnd())
        return *known;
    const bool correct =
        ignored_.contains(form) || personal_.contains(form) || dictionary_->spell(form);
    verdicts_.insert(form, correct);
    return correct;
}

QStringList Speller::suggestions(QStringView word) const {
    if (!dictionary_)
        return {};
    const QString form = lookupForm(word);
    QStringList written;
    for (const QString& suggestion : slipsFirst(dictionary_->suggest(form, -1), form)) {
        if (written.size() == kMaxSuggestions)
            break;
        written.append(inWritingOf(suggestion, word));
    }
    return written;
}

std::optional<QString> Speller::addToDictionary(QStringView word) {
    const std::optional<QString> error = personal_.add(lookupForm(word));
    forgetVerdicts();
    return error;
}

void Speller::ignore(QStringView word) {
    ignored_.insert(lookupForm(word));
    forgetVerdicts();
}

}  // namespace vellumora::spelling
