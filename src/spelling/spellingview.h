#pragma once

#include "spelling/spellmarker.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <vector>

class QAbstractScrollArea;
class QMenu;
class QPlainTextEdit;
class QTextCursor;
class QTextEdit;

namespace vellumora {

class Dialogs;

namespace spelling {

class Speller;

/**
 * Spelling in one text area: the marks under misspelt words as she types,
 * checked as the text comes into view, and a context menu that offers, for
 * a marked word, up to five suggestions, "Add to Dictionary" and "Ignore"
 * above the area's usual entries.
 */
class SpellingView : public QObject {
    Q_OBJECT

public:
    static SpellingView* attach(QTextEdit* edit, Speller& speller, Dialogs& dialogs);
    static SpellingView* attach(QPlainTextEdit* box, Speller& speller, Dialogs& dialogs);

    SpellMarker& marker() const { return *marker_; }

    /// The context menu for a point of the viewport; the caller owns it.
    QMenu* contextMenuAt(QPoint viewportPoint);

    /// Entries that whoever owns the area adds to the context menu at a
    /// point of the viewport (the editor's picture sizes), at its top.
    using MoreEntries = std::function<void(QMenu& menu, QPoint viewportPoint)>;
    void addEntriesWith(MoreEntries entries) { moreEntries_.push_back(std::move(entries)); }

private:
    /// What differs between the two kinds of text area.
    struct Area {
        QAbstractScrollArea* widget;
        std::function<QTextCursor(QPoint)> cursorAt;
        std::function<QTextCursor()> caret;
        std::function<QMenu*(QPoint)> standardMenu;
    };

    SpellingView(Area area, SpellMarker* marker, Speller& speller, Dialogs& dialogs);
    template <class Edit>
    static SpellingView* attachTo(Edit* edit, Speller& speller, Dialogs& dialogs);

    void checkWhatIsShown();
    std::pair<int, int> shownRange() const;
    void showContextMenu(QPoint viewportPoint);
    void addSpellingEntries(QMenu* menu, int wordStart, int wordEnd);
    void replaceWord(int wordStart, int wordEnd, const QString& replacement);
    void addToDictionary(const QString& word);

    Area area_;
    /// Belongs to the document, which may go first when the area is destroyed.
    QPointer<SpellMarker> marker_;
    Speller& speller_;
    Dialogs& dialogs_;
    QTimer shownChanged_;
    std::vector<MoreEntries> moreEntries_;
};

}  // namespace spelling
}  // namespace vellumora
