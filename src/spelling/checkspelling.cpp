#include "spelling/checkspelling.h"

#include "dialogs/dialogs.h"
#include "spelling/speller.h"
#include "spelling/spellingcheck.h"

#include <QTextEdit>

namespace vellumora::spelling {

namespace {

const QString kTitle = QStringLiteral("Check Spelling");

void tell(Dialogs& dialogs, QTextEdit& edit, const QString& text, MessageIcon icon) {
    dialogs.message(&edit, {.title = kTitle, .text = text, .icon = icon});
}

void select(QTextEdit& edit, const Misspelling& found) {
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(found.position);
    cursor.setPosition(found.position + int(found.word.size()), QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
    edit.ensureCursorVisible();
}

// Carries out her answer; false when she closed the check.
bool carryOut(const SpellingAnswer& answer, SpellingCheck& check, Dialogs& dialogs,
              QTextEdit& edit) {
    switch (answer.action) {
        case SpellingAction::Change:
            check.change(answer.replacement);
            return true;
        case SpellingAction::ChangeAll:
            check.changeAll(answer.replacement);
            return true;
        case SpellingAction::Ignore:
            check.ignore();
            return true;
        case SpellingAction::IgnoreAll:
            check.ignoreAll();
            return true;
        case SpellingAction::AddToDictionary:
            if (const std::optional<QString> failure = check.addToDictionary())
                tell(dialogs, edit, *failure, MessageIcon::Warning);
            return true;
        case SpellingAction::Stop:
            break;
    }
    return false;
}

}  // namespace

CheckEnd checkSpelling(QTextEdit& edit, Speller& speller, Dialogs& dialogs) {
    if (!speller.waitUntilReady()) {
        tell(dialogs, edit,
             QStringLiteral("No spelling dictionary is installed, so the spelling cannot be "
                            "checked."),
             MessageIcon::Warning);
        return CheckEnd::NoDictionary;
    }
    QTextCursor whereSheWas = edit.textCursor();
    whereSheWas.clearSelection();
    // A word changed right after the caret leaves the caret before it.
    whereSheWas.setKeepPositionOnInsert(true);
    SpellingCheck check(*edit.document(), speller, whereSheWas.position());
    int found = 0;
    while (const std::optional<Misspelling> word = check.next()) {
        ++found;
        select(edit, *word);
        const SpellingRequest request{word->word, word->paragraph, word->offsetInParagraph,
                                      speller.suggestions(word->word)};
        if (!carryOut(dialogs.checkSpelling(&edit, request), check, dialogs, edit))
            return CheckEnd::Stopped;
    }
    QTextCursor caret = edit.textCursor();
    caret.setPosition(whereSheWas.position());
    edit.setTextCursor(caret);
    tell(dialogs, edit,
         found == 0 ? QStringLiteral("There are no misspelled words in your story.")
                    : QStringLiteral("The spelling check is complete."),
         MessageIcon::Information);
    return CheckEnd::Finished;
}

}  // namespace vellumora::spelling
