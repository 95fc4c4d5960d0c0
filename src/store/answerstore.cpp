#include "store/answerstore.h"

namespace vellumora {

AnswerStore::AnswerStore(QObject* parent) : QObject(parent) {
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        setUnset(position);
    revision_ = 0;  // the start-up state is where counting begins
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

bool AnswerStore::put(int position, std::optional<QString> state) {
    std::optional<QString>& slot = slots_[indexOf(position)];
    if (slot == state)
        return false;
    slot = std::move(state);
    ++revision_;
    return true;
}

void AnswerStore::assign(int position, std::optional<QString> state) {
    if (put(position, std::move(state)))
        emit answerChanged(position);
}

void AnswerStore::store(int position, const QString& text) {
    assign(position, text);
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
        assign(position, QString());
    else
        assign(position, std::nullopt);
}

void AnswerStore::replaceWith(const AnswerStore& other) {
    bool changed = false;
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        changed |= put(position, other.state(position));
    if (changed)
        emit answersReplaced();
}

bool AnswerStore::isChapterComplete(const catalogue::Chapter& chapter) const {
    const int last = chapter.firstPosition + chapter.questionCount;
    for (int position = chapter.firstPosition; position < last; ++position)
        if (!isAnswered(position))
            return false;
    return true;
}

}  // namespace vellumora
