#pragma once

#include <QString>

namespace vellumora {

/// Which save the editor runs once the save note is confirmed.
enum class PendingSave { None, Save, SaveAs };

/**
 * The little state that outlives a screen: what the save note tells the
 * editor, the search text, and what the editor keeps from one life to the
 * next. One instance for the whole run.
 */
struct Session {
    /// True once the user confirmed the save note with OK; reset by the
    /// note whenever it becomes active and by the editor after saving.
    bool noteAcknowledged = false;
    /// The text of the last Find; empty until then.
    QString searchText;
    /// The full path of the document written last.
    QString documentPath;
    /// The save that the next confirmation of the save note starts.
    PendingSave pendingSave = PendingSave::None;
};

}  // namespace vellumora
