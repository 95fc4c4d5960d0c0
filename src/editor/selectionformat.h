#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

class QTextCursor;

namespace vellumora::editor {

/**
 * The character attributes of a selection as the Font and Color commands
 * read them: each holds a value when the whole selection shares it, and
 * nullopt when the selection mixes several. With nothing selected they are
 * those of the insertion point.
 */
struct SelectionFormat {
    std::optional<QString> family;
    std::optional<qreal> pointSize;
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> underline;
    std::optional<QColor> color;

    /// True when every font attribute has a single value.
    bool fontIsUniform() const { return family && pointSize && bold && italic && underline; }
};

/**
 * Reads the selection's attributes. What a character's format leaves unset
 * comes from defaultFont and defaultColor, as the text area shows it.
 */
SelectionFormat readSelectionFormat(const QTextCursor& cursor, const QFont& defaultFont,
                                    const QColor& defaultColor);

}  // namespace vellumora::editor
