#include "dialogs/spellingdialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellumora {

namespace {

// Enough of the paragraph either side of the word to know where it stands.
constexpr qsizetype kContextCharacters = 60;

// The word's paragraph, cut to a line or two around it, with the word
// itself in bold red as the marks in the text show it.
QString contextHtml(const SpellingRequest& request) {
    const qsizetype start = request.offsetInParagraph;
    const qsizetype end = start + request.word.size();
    const qsizetype from = std::max<qsizetype>(0, start - kContextCharacters);
    const qsizetype to = std::min(request.paragraph.size(), end + kContextCharacters);
    const QString before = (from > 0 ? QStringLiteral("…") : QString()) +
                           request.paragraph.mid(from, start - from);
    const QString after =
        request.paragraph.mid(end, to - end) + (to < request.paragraph.size() ? QStringLiteral("…") : QString());
    return before.toHtmlEscaped() + QStringLiteral("<b><font color=\"#c00000\">") +
           request.word.toHtmlEscaped() + QStringLiteral("</font></b>") + after.toHtmlEscaped();
}

QPushButton* buttonFor(const QString& caption, const QString& objectName, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

SpellingDialog::SpellingDialog(const SpellingRequest& request, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSpelling"));
    setWindowTitle(QStringLiteral("Vellumora - Check Spelling"));
    changeTo_ = new QLineEdit(request.suggestions.value(0, request.word), this);
    changeTo_->setObjectName(QStringLiteral("txtSpellingChangeTo"));

    auto* changeToLabel = new QLabel(QStringLiteral("Change &to:"), this);
    changeToLabel->setBuddy(changeTo_);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Not in the dictionary:"), this));
    left->addWidget(makeContext(request));
    left->addWidget(changeToLabel);
    left->addWidget(changeTo_);
    QListWidget* suggestions = makeSuggestions(request);
    auto* suggestionsLabel = new QLabel(QStringLiteral("&Suggestions:"), this);
    suggestionsLabel->setBuddy(suggestions);
    left->addWidget(suggestionsLabel);
    left->addWidget(suggestions);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(makeButtons());
    changeTo_->setFocus();
    changeTo_->selectAll();
}

QWidget* SpellingDialog::makeContext(const SpellingRequest& request) {
    auto* context = new QLabel(contextHtml(request), this);
    context->setObjectName(QStringLiteral("lblSpellingContext"));
    context->setTextFormat(Qt::RichText);
    context->setWordWrap(true);
    context->setFrameShape(QFrame::StyledPanel);
    context->setMargin(6);
    context->setMinimumWidth(context->fontMetrics().averageCharWidth() * 50);
    return context;
}

QListWidget* SpellingDialog::makeSuggestions(const SpellingRequest& request) {
    auto* list = new QListWidget(this);
    list->setObjectName(QStringLiteral("lstSpellingSuggestions"));
    list->addItems(request.suggestions);
    if (request.suggestions.isEmpty()) {
        list->addItem(QStringLiteral("(no suggestions)"));
        list->setEnabled(false);
    }
    list->setMaximumHeight(list->sizeHintForRow(0) * 6 + 2 * list->frameWidth());
    connect(list, &QListWidget::currentTextChanged, this, [this, list](const QString& text) {
        if (list->isEnabled())
            changeTo_->setText(text);
    });
    connect(list, &QListWidget::itemDoubleClicked, this,
            [this] { answerWith(SpellingAction::Change); });
    return list;
}

QLayout* SpellingDialog::makeButtons() {
    struct Entry {
        const char* caption;
        const char* objectName;
        SpellingAction action;
    };
    static constexpr Entry kEntries[] = {
        {"&Change", "cmdSpellingChange", SpellingAction::Change},
        {"Change A&ll", "cmdSpellingChangeAll", SpellingAction::ChangeAll},
        {"&Ignore", "cmdSpellingIgnore", SpellingAction::Ignore},
        {"I&gnore All", "cmdSpellingIgnoreAll", SpellingAction::IgnoreAll},
        {"&Add to Dictionary", "cmdSpellingAdd", SpellingAction::AddToDictionary},
        {"Close", "cmdSpellingClose", SpellingAction::Stop},
    };
    auto* buttons = new QVBoxLayout;
    for (const Entry& entry : kEntries) {
        QPushButton* button = buttonFor(QString::fromUtf8(entry.caption),
                                        QString::fromLatin1(entry.objectName), this);
        const SpellingAction action = entry.action;
        connect(button, &QPushButton::clicked, this, [this, action] { answerWith(action); });
        if (action == SpellingAction::Stop)
            buttons->addStretch();
        if (action == SpellingAction::Change)
            button->setDefault(true);
        buttons->addWidget(button);
    }
    return buttons;
}

void SpellingDialog::answerWith(SpellingAction action) {
    answer_ = {action, changeTo_->text()};
    if (action == SpellingAction::Stop)
        reject();
    else
        accept();
}

}  // namespace vellumora
