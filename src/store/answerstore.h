#pragma once

#include "store/catalogue.h"

#include <QObject>
#include <QString>
#include <array>
#include <optional>

namespace vellumora {

/**
 * The 81 answer slots, one per question, for the whole run. A slot is either
 * unset (nothing ever stored) or holds a text, possibly empty; the two read
 * alike everywhere except in the data file. Slots are addressed by catalogue
 * position (1 to 81) or by slot name ("Childhood.GrowUp").
 *
 * Whoever keeps or shows the answers follows them through the signals, as
 * many listeners as there are: answerChanged() for each slot that changes, and
 * answersReplaced() when every slot was replaced at once.
 */
class AnswerStore : public QObject {
    Q_OBJECT

public:
    /// The start-up state: every slot unset except the twelve that start empty.
    explicit AnswerStore(QObject* parent = nullptr);

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

    /// Every slot takes the state it has in other (the answers a crash left,
    /// given back); one answersReplaced() tells of it, when anything changed.
    void replaceWith(const AnswerStore& other);

    /// True when every slot of the chapter is answered.
    bool isChapterComplete(const catalogue::Chapter& chapter) const;

    /// Counts the changes of any slot's state; storing what a slot already
    /// holds is no change. Equal revisions mean the same answers.
    quint64 revision() const { return revision_; }

signals:
    /// After the slot at position changed its state, by store() or setUnset().
    void answerChanged(int position);
    /// After replaceWith() changed any slot; it stands for all of them, and
    /// no answerChanged() comes for the slots it changed.
    void answersReplaced();

private:
    static std::size_t indexOf(int position);
    static int checkedPosition(QStringView slot);
    /// True when the slot's state was not already that.
    bool put(int position, std::optional<QString> state);
    void assign(int position, std::optional<QString> state);

    std::array<std::optional<QString>, catalogue::kQuestionCount> slots_;
    quint64 revision_ = 0;
};

}  // namespace vellumora
