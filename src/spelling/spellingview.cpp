#include "spelling/spellingview.h"

#include "dialogs/dialogs.h"
#include "spelling/speller.h"
#include "spelling/spellmarker.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextEdit>

namespace vellumora::spelling {

template <class Edit>
SpellingView* SpellingView::attachTo(Edit* edit, Speller& speller, Dialogs& dialogs) {
    Area area{
        edit,
        [edit](QPoint point) { return edit->cursorForPosition(point); },
        [edit] { return edit->textCursor(); },
        [edit](QPoint point) { return edit->createStandardContextMenu(point); },
    };
    auto* marker = new SpellMarker(*edit->document(), speller);
    auto* view = new SpellingView(std::move(area), marker, speller, dialogs);
    connect(edit, &Edit::cursorPositionChanged, view, [view, edit] {
        if (view->marker_)
            view->marker_->followCaret(edit->textCursor().position());
    });
    return view;
}

SpellingView* SpellingView::attach(QTextEdit* edit, Speller& speller, Dialogs& dialogs) {
    return attachTo(edit, speller, dialogs);
}

SpellingView* SpellingView::attach(QPlainTextEdit* box, Speller& speller, Dialogs& dialogs) {
    return attachTo(box, speller, dialogs);
}

SpellingView::SpellingView(Area area, SpellMarker* marker, Speller& speller, Dialogs& dialogs)
    : QObject(area.widget),
      area_(std::move(area)),
      marker_(marker),
      speller_(speller),
      dialogs_(dialogs) {
    marker_->setVisibleRange([this] { return shownRange(); });
    // The scroll bar moves while the layout is at work, when marking would
    // start it again; the text shown is checked once the layout has returned,
    // once for any number of moves.
    shownChanged_.setSingleShot(true);
    shownChanged_.setInterval(0);
    connect(&shownChanged_, &QTimer::timeout, this, &SpellingView::checkWhatIsShown);
    const auto scheduleCheck = [this] { shownChanged_.start(); };
    connect(area_.widget->verticalScrollBar(), &QScrollBar::valueChanged, this, scheduleCheck);
    connect(area_.widget->verticalScrollBar(), &QScrollBar::rangeChanged, this, scheduleCheck);
    area_.widget->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(area_.widget, &QWidget::customContextMenuRequested, this,
            &SpellingView::showContextMenu);
}

std::pair<int, int> SpellingView::shownRange() const {
    const QRect shown = area_.widget->viewport()->rect();
    return {area_.cursorAt(shown.topLeft()).position(),
            area_.cursorAt(shown.bottomRight()).position()};
}

void SpellingView::checkWhatIsShown() {
    if (!marker_)
        return;
    marker_->checkShown();
}

void SpellingView::showContextMenu(QPoint viewportPoint) {
    QMenu* menu = contextMenuAt(viewportPoint);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(area_.widget->viewport()->mapToGlobal(viewportPoint));
}

QMenu* SpellingView::contextMenuAt(QPoint viewportPoint) {
    QMenu* menu = area_.standardMenu(viewportPoint);
    const int position = area_.cursorAt(viewportPoint).position();
    if (const std::optional<WordSpan> word = marker_->markedWordAt(position))
        addSpellingEntries(menu, int(word->start), int(word->end()));
    for (const MoreEntries& entries : moreEntries_)
        entries(*menu, viewportPoint);
    return menu;
}

// Suggestions first, as a word processor puts them, then the two choices.
void SpellingView::addSpellingEntries(QMenu* menu, int wordStart, int wordEnd) {
    QTextCursor cursor = area_.caret();
    cursor.setPosition(wordStart);
    cursor.setPosition(wordEnd, QTextCursor::KeepAnchor);
    const QString word = cursor.selectedText();
    QAction* first = menu->actions().value(0);
    const auto insert = [menu, first](QAction* action) { menu->insertAction(first, action); };

    const QStringList suggestions = speller_.suggestions(word);
    for (const QString& suggestion : suggestions) {
        auto* action = new QAction(suggestion, menu);
        QFont bold = action->font();
        bold.setBold(true);
        action->setFont(bold);
        connect(action, &QAction::triggered, this, [this, wordStart, wordEnd, suggestion] {
            replaceWord(wordStart, wordEnd, suggestion);
        });
        insert(action);
    }
    if (suggestions.isEmpty()) {
        auto* none = new QAction(QStringLiteral("(No suggestions)"), menu);
        none->setEnabled(false);
        insert(none);
    }
    menu->insertSeparator(first);
    auto* add = new QAction(QStringLiteral("Add to Dictionary"), menu);
    add->setObjectName(QStringLiteral("spellingAdd"));
    connect(add, &QAction::triggered, this, [this, word] { addToDictionary(word); });
    insert(add);
    auto* ignore = new QAction(QStringLiteral("Ignore"), menu);
    ignore->setObjectName(QStringLiteral("spellingIgnore"));
    connect(ignore, &QAction::triggered, this, [this, word] { speller_.ignore(word); });
    insert(ignore);
    menu->insertSeparator(first);
}

// One undo step; the new word takes the format of the word it replaces.
void SpellingView::replaceWord(int wordStart, int wordEnd, const QString& replacement) {
    QTextCursor cursor = area_.caret();
    cursor.setPosition(wordStart);
    cursor.setPosition(wordEnd, QTextCursor::KeepAnchor);
    cursor.insertText(replacement);
}

void SpellingView::addToDictionary(const QString& word) {
    const std::optional<QString> error = speller_.addToDictionary(word);
    if (!error)
        return;
    const MessageRequest request{
        .title = QStringLiteral("Add to Dictionary"),
        .text = QStringLiteral("\"%1\" counts as correct until the program ends, but it could "
                               "not be kept for next time: %2")
                    .arg(word, *error),
        .icon = MessageIcon::Warning};
    dialogs_.message(area_.widget, request);
}

}  // namespace vellumora::spelling
