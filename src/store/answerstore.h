#pragma once

#include "store/catalogue.h"

#include <QString>
#include <array>
#include <optional>

namespace vellumora {

/**
 * The 81 answer slots, one per question, for the whole run. A slot is either
 * unset (nothing ever stored) or holds a text, possibly empty; the two read
 * alike everywhere except in the data file. Slots are addressed by catalogue
 * position (1 to 81) or by slot name ("Childhood.GrowUp").
 */
class AnswerStore {
public:
    /// The start-up state: every slot unset except the twelve that start empty.
    AnswerStore();

    /// The slot's text; an unset slot reads as the empty string.
    QString answer(int position) const;
    QString answer(QStringView slot) const;

    /// Puts the text in the slot, which is in the text state from then on.
    void store(int position, const QString& text);
    void store(QStringView slot, const QString& text);

    /// True when the slot holds a text that is not empty; one blank counts.
    bool isAnswered(int position) const;
    bool isAnswered(QStringView slot) const;

    /// The slot's text, or nullopt while it is unset.
    const std::optional<QString>& state(int position) const;

    /// Returns the slot to unset; a slot that starts as empty text gets the
    /// empty text instead, as it had at start-up.
    void setUnset(int position);

    /// True when every slot of the chapter is answered.
    bool isChapterComplete(const catalogue::Chapter& chapter) const;

private:
    static std::size_t indexOf(int position);
    static int checkedPosition(QStringView slot);

    std::array<std::optional<QString>, catalogue::kQuestionCount> slots_;
};

}  // namespace vellumora
