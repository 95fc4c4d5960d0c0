#pragma once

#include "store/catalogue.h"

#include <QString>
#include <array>
#include <functional>
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

    /// Counts the changes of any slot's state; storing what a slot already
    /// holds is no change. Equal revisions mean the same answers.
    quint64 revision() const { return revision_; }
    /// Called after every change, so that the answers can be kept elsewhere
    /// too. One listener at a time; an empty function removes it.
    void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

private:
    static std::size_t indexOf(int position);
    static int checkedPosition(QStringView slot);
    void assign(int position, std::optional<QString> state);

    std::array<std::optional<QString>, catalogue::kQuestionCount> slots_;
    quint64 revision_ = 0;
    std::function<void()> listener_;
};

}  // namespace vellumora
