#pragma once

#include "dialogs/dialogs.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace vellumora {

/**
 * The small dialog before the whole story is printed or saved as PDF: the
 * title and her name for the title page, and whether the book has a title
 * page and a contents page.
 */
class BookDialog final : public QDialog {
    Q_OBJECT

public:
    BookDialog(const BookChoice& initial, QWidget* parent);

    BookChoice choice() const;

private:
    QCheckBox* titlePage_ = nullptr;
    QLineEdit* title_ = nullptr;
    QLineEdit* author_ = nullptr;
    QCheckBox* contentsPage_ = nullptr;
};

}  // namespace vellumora
