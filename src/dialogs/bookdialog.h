#pragma once

#include "dialogs/dialogs.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace vellumora {

/**
 * The dialog before the whole story is printed or saved as PDF: the title,
 * her name and a dedication for the title page, whether the book has a title
 * page and a contents page, its style, its paper, whether it is printed on
 * both sides, in large print, and with the questions she has not answered.
 * Where the story may hold misspelled words it says how many and offers to
 * check the spelling first.
 */
class BookDialog final : public QDialog {
    Q_OBJECT

public:
    BookDialog(const BookChoice& initial, QWidget* parent);

    BookChoice choice() const;

private:
    QLayout* titlePageFields(const BookChoice& initial);
    QLayout* bookFields(const BookChoice& initial);
    QLayout* spellingNote(int misspelledWords);

    QCheckBox* titlePage_ = nullptr;
    QLineEdit* title_ = nullptr;
    QLineEdit* author_ = nullptr;
    QLineEdit* dedication_ = nullptr;
    QCheckBox* contentsPage_ = nullptr;
    QComboBox* style_ = nullptr;
    QComboBox* paper_ = nullptr;
    QCheckBox* twoSided_ = nullptr;
    QCheckBox* largePrint_ = nullptr;
    QCheckBox* unanswered_ = nullptr;
    BookChoice::Then then_ = BookChoice::Then::MakeBook;
};

}  // namespace vellumora
