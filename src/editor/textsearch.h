#pragma once

#include <QStringView>
#include <optional>

namespace vellumora::editor {

/**
 * The editor's forward search: the first place at or after start (0-based)
 * where text holds needle, compared without regard to letter case, or
 * nullopt. Overlapping occurrences count, since every start is tried.
 *
 * An empty needle is found at start itself while the text is not empty and
 * start is at most its length (the place after the last character, where
 * the caret can stand, included); in an empty text it is never found.
 */
std::optional<qsizetype> searchForward(QStringView text, QStringView needle, qsizetype start);

/// Where Find Next starts for a selection (or caret) that begins at
/// selectionStart: one character beyond it, so overlapping matches are found.
constexpr qsizetype findNextStart(qsizetype selectionStart) {
    return selectionStart + 1;
}

}  // namespace vellumora::editor
