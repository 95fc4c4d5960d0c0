#include "store/answersonlyinfile.h"

#include "store/answerstore.h"
#include "store/datafile.h"

#include <QFileInfo>

namespace vellumora::datafile {

AnswersOnlyInFile answersOnlyInFile(const QString& dataFilePath, const AnswerStore& store) {
    // Only a regular file is read: opening a pipe in its place would wait
    // for a writer that never comes.
    if (!QFileInfo(dataFilePath).isFile())
        return {};
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
