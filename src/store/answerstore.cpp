#include "store/answerstore.h"

namespace vellumora {

AnswerStore::AnswerStore() {
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        setUnset(position);
}

std::size_t AnswerStore::indexOf(int position) {
    Q_ASSERT(position >= 1 && position <= catalogue::kQuestionCount);
    return std::size_t(position - 1);
}

int AnswerStore::checkedPosition(QStringView slot) {
    const int position = catalogue::positionOf(slot);
    Q_ASSERT_X(position != 0, "AnswerStore", "unknown answer slot");
    return position;
}

QString AnswerStore::answer(int position) const {
    return slots_[indexOf(position)].value_or(QString());
}

QString AnswerStore::answer(QStringView slot) const {
    return answer(checkedPosition(slot));
}

void AnswerStore::store(int position, const QString& text) {
    slots_[indexOf(position)] = text;
}

void AnswerStore::store(QStringView slot, const QString& text) {
    store(checkedPosition(slot), text);
}

bool AnswerStore::isAnswered(int position) const {
    const auto& slot = slots_[indexOf(position)];
    return slot.has_value() && !slot->isEmpty();
}

bool AnswerStore::isAnswered(QStringView slot) const {
    return isAnswered(checkedPosition(slot));
}

const std::optional<QString>& AnswerStore::state(int position) const {
    return slots_[indexOf(position)];
}

void AnswerStore::setUnset(int position) {
    if (catalogue::question(position).startsEmpty)
        slots_[indexOf(position)] = QString();
    else
        slots_[indexOf(position)].reset();
}

bool AnswerStore::isChapterComplete(const catalogue::Chapter& chapter) const {
    const int last = chapter.firstPosition + chapter.questionCount;
    for (int position = chapter.firstPosition; position < last; ++position)
        if (!isAnswered(position))
            return false;
    return true;
}

}  // namespace vellumora
