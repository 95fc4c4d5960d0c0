#pragma once

class QTextEdit;

namespace vellumora {
class Dialogs;
}

namespace vellumora::spelling {

class Speller;

/// How a spelling check ended.
enum class CheckEnd { Finished, Stopped, NoDictionary };

/**
 * Checks the spelling of the whole text in a text area, from the caret
 * round to it again: each misspelt word is selected in the text, shown to
 * her with its suggestions, and changed, left or added as she says. The
 * check waits for the dictionary if it is still being read, and says so
 * when there is none. At the end a message tells that the check is done,
 * and the caret goes back where she was.
 */
CheckEnd checkSpelling(QTextEdit& edit, Speller& speller, Dialogs& dialogs);

}  // namespace vellumora::spelling
