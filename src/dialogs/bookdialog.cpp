#include "dialogs/bookdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vellumora {

namespace {

// Room for a title of some forty characters without scrolling.
constexpr int kFieldWidthInCharacters = 40;

QLineEdit* fieldFor(const QString& text, const QString& objectName, QWidget* parent) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(objectName);
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * kFieldWidthInCharacters);
    return field;
}

}  // namespace

BookDialog::BookDialog(const BookChoice& initial, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Vellumora - Book"));
    titlePage_ = new QCheckBox(QStringLiteral("Print a title &page"), this);
    titlePage_->setObjectName(QStringLiteral("chkTitlePage"));
    titlePage_->setChecked(initial.titlePage);
    title_ = fieldFor(initial.title, QStringLiteral("txtBookTitle"), this);
    author_ = fieldFor(initial.author, QStringLiteral("txtBookAuthor"), this);
    contentsPage_ =
        new QCheckBox(QStringLiteral("Print a &contents page listing the chapters"), this);
    contentsPage_->setObjectName(QStringLiteral("chkContentsPage"));
    contentsPage_->setChecked(initial.contentsPage);

    // The title and name are for the title page alone.
    auto* words = new QFormLayout;
    words->addRow(QStringLiteral("&Title:"), title_);
    words->addRow(QStringLiteral("Your &name:"), author_);
    words->setContentsMargins(24, 0, 0, 0);
    auto enableWords = [this](bool on) {
        title_->setEnabled(on);
        author_->setEnabled(on);
    };
    connect(titlePage_, &QCheckBox::toggled, this, enableWords);
    enableWords(initial.titlePage);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titlePage_);
    layout->addLayout(words);
    layout->addWidget(contentsPage_);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

BookChoice BookDialog::choice() const {
    return {title_->text().trimmed(), author_->text().trimmed(), titlePage_->isChecked(),
            contentsPage_->isChecked()};
}

}  // namespace vellumora
