#include "dialogs/bookdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

QCheckBox* boxFor(const QString& text, const QString& objectName, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(objectName);
    box->setChecked(checked);
    return box;
}

/// A list whose items carry the enum values they stand for.
template <typename Enum>
QComboBox* listFor(const QString& objectName, std::initializer_list<std::pair<QString, Enum>> items,
                   Enum current, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(objectName);
    for (const auto& [text, value] : items) {
        list->addItem(text, int(value));
        if (value == current)
            list->setCurrentIndex(list->count() - 1);
    }
    return list;
}

template <typename Enum>
Enum chosenIn(const QComboBox* list) {
    return Enum(list->currentData().toInt());
}

}  // namespace

BookDialog::BookDialog(const BookChoice& initial, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Vellumora - Book"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(titlePageFields(initial));
    layout->addSpacing(8);
    layout->addLayout(bookFields(initial));
    if (initial.misspelledWords >= 1) {
        layout->addSpacing(8);
        layout->addLayout(spellingNote(initial.misspelledWords));
    }
    layout->addSpacing(8);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

// The title page box, the words that go on the title page under it, and the contents page box.
QLayout* BookDialog::titlePageFields(const BookChoice& initial) {
    titlePage_ = boxFor(QStringLiteral("Print a title &page"), QStringLiteral("chkTitlePage"),
                        initial.titlePage, this);
    title_ = fieldFor(initial.title, QStringLiteral("txtBookTitle"), this);
    author_ = fieldFor(initial.author, QStringLiteral("txtBookAuthor"), this);
    dedication_ = fieldFor(initial.dedication, QStringLiteral("txtBookDedication"), this);
    dedication_->setPlaceholderText(QStringLiteral("For example: For my grandchildren"));
    contentsPage_ = boxFor(QStringLiteral("Print a &contents page listing the chapters"),
                           QStringLiteral("chkContentsPage"), initial.contentsPage, this);

    auto* words = new QFormLayout;
    words->addRow(QStringLiteral("&Title:"), title_);
    words->addRow(QStringLiteral("Your &name:"), author_);
    words->addRow(QStringLiteral("&Dedication:"), dedication_);
    words->setContentsMargins(24, 0, 0, 0);
    auto enableWords = [this](bool on) {
        title_->setEnabled(on);
        author_->setEnabled(on);
        dedication_->setEnabled(on);
    };
    connect(titlePage_, &QCheckBox::toggled, this, enableWords);
    enableWords(initial.titlePage);

    auto* fields = new QVBoxLayout;
    fields->addWidget(titlePage_);
    fields->addLayout(words);
    fields->addWidget(contentsPage_);
    return fields;
}

// The style, the paper and, for the Book style, how it is printed.
QLayout* BookDialog::bookFields(const BookChoice& initial) {
    style_ = listFor(QStringLiteral("cmbBookStyle"),
                     {{QStringLiteral("Book"), BookStyle::Book},
                      {QStringLiteral("As in the editor"), BookStyle::AsInTheEditor}},
                     initial.style, this);
    paper_ = listFor(QStringLiteral("cmbBookPaper"),
                     {{QStringLiteral("A4"), BookPaper::A4},
                      {QStringLiteral("Letter"), BookPaper::Letter},
                      {QStringLiteral("A5"), BookPaper::A5},
                      {QStringLiteral("6 × 9 inches"), BookPaper::SixByNineInches}},
                     initial.paper, this);
    twoSided_ = boxFor(QStringLiteral("Printed on &both sides of the paper"),
                       QStringLiteral("chkTwoSided"), initial.twoSided, this);
    largePrint_ = boxFor(QStringLiteral("&Large print"), QStringLiteral("chkLargePrint"),
                         initial.largePrint, this);
    unanswered_ = boxFor(QStringLiteral("Include &unanswered questions"),
                         QStringLiteral("chkUnanswered"), initial.includeUnanswered, this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Style:"), style_);
    form->addRow(QStringLiteral("P&aper:"), paper_);
    auto* fields = new QVBoxLayout;
    fields->addLayout(form);
    fields->addWidget(twoSided_);
    fields->addWidget(largePrint_);
    fields->addWidget(unanswered_);
    // The editor's pages know nothing of these.
    auto enableBookOnly = [this] {
        const bool book = chosenIn<BookStyle>(style_) == BookStyle::Book;
        twoSided_->setEnabled(book);
        largePrint_->setEnabled(book);
        unanswered_->setEnabled(book);
    };
    connect(style_, &QComboBox::currentIndexChanged, this, enableBookOnly);
    enableBookOnly();
    return fields;
}

QLayout* BookDialog::spellingNote(int misspelledWords) {
    auto* note = new QLabel(
        misspelledWords == 1 ? QStringLiteral("1 word may be misspelled.")
                             : QStringLiteral("%1 words may be misspelled.").arg(misspelledWords),
        this);
    note->setObjectName(QStringLiteral("lblMisspelled"));
    auto* check = new QPushButton(QStringLiteral("Check Spelling &First"), this);
    check->setObjectName(QStringLiteral("cmdCheckSpellingFirst"));
    check->setAutoDefault(false);
    connect(check, &QPushButton::clicked, this, [this] {
        then_ = BookChoice::Then::CheckSpellingFirst;
        accept();
    });
    auto* row = new QHBoxLayout;
    row->addWidget(note, 1);
    row->addWidget(check);
    return row;
}

BookChoice BookDialog::choice() const {
    BookChoice chosen;
    chosen.title = title_->text().trimmed();
    chosen.author = author_->text().trimmed();
    chosen.titlePage = titlePage_->isChecked();
    chosen.contentsPage = contentsPage_->isChecked();
    chosen.dedication = dedication_->text().trimmed();
    chosen.style = chosenIn<BookStyle>(style_);
    chosen.paper = chosenIn<BookPaper>(paper_);
    chosen.twoSided = twoSided_->isChecked();
    chosen.largePrint = largePrint_->isChecked();
    chosen.includeUnanswered = unanswered_->isChecked();
    chosen.then = then_;
    return chosen;
}

}  // namespace vellumora
