#pragma once

#include "dialogs/dialogs.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace vellumora {

/**
 * The spelling check's question about one word: the word shown in its
 * paragraph, the dictionary's suggestions, a field for the new spelling and
 * one button for each thing she may do with the word.
 */
class SpellingDialog final : public QDialog {
    Q_OBJECT

public:
    SpellingDialog(const SpellingRequest& request, QWidget* parent);

    SpellingAnswer answer() const { return answer_; }

private:
    QWidget* makeContext(const SpellingRequest& request);
    QListWidget* makeSuggestions(const SpellingRequest& request);
    QLayout* makeButtons();
    void answerWith(SpellingAction action);

    QLineEdit* changeTo_ = nullptr;
    SpellingAnswer answer_;
};

}  // namespace vellumora
