#pragma once

#include <QString>

namespace vellumora {
class AnswerStore;
}

namespace vellumora::datafile {

/// The answers that a data file holds and the store lacks: replacing that
/// file with the store's answers would lose them.
struct AnswersOnlyInFile {
    int count = 0;
    int firstPosition = 0;  ///< catalogue position of the first one; 0 when none
};

/**
 * Reads the data file at the path, when a regular file is there, and counts
 * the slots it answers (text that is not empty) that are unset or empty in
 * the store. A missing or unreadable file holds nothing worth keeping.
 */
AnswersOnlyInFile answersOnlyInFile(const QString& dataFilePath, const AnswerStore& store);

}  // namespace vellumora::datafile
