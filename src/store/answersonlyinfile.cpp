#include "store/answersonlyinfile.h"

#include "store/answerstore.h"
#include "store/datafile.h"

namespace vellumora::datafile {

AnswersOnlyInFile answersOnlyInFile(const QString& dataFilePath, const AnswerStore& store) {
    // readFile takes regular files only, so a pipe in the data file's place
    // holds nothing to keep rather than waiting for a writer.
    AnswerStore inFile;
    if (readFile(dataFilePath, inFile) == ReadResult::CannotOpen)
        return {};
    AnswersOnlyInFile found;
    for (int position = 1; position <= catalogue::kQuestionCount; ++position) {
        if (!inFile.isAnswered(position) || store.isAnswered(position))
            continue;
        if (found.count++ == 0)
            found.firstPosition = position;
    }
    return found;
}

}  // namespace vellumora::datafile
