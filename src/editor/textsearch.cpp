#include "editor/textsearch.h"

namespace vellumora::editor {

std::optional<qsizetype> searchForward(QStringView text, QStringView needle, qsizetype start) {
    if (start < 0)
        start = 0;
    if (needle.isEmpty()) {
        if (text.isEmpty() || start > text.size())
            return std::nullopt;
        return start;
    }
    if (start > text.size() - needle.size())
        return std::nullopt;
    const qsizetype found = text.indexOf(needle, start, Qt::CaseInsensitive);
    if (found < 0)
        return std::nullopt;
    return found;
}

}  // namespace vellumora::editor
