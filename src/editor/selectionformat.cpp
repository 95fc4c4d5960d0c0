#include "editor/selectionformat.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace vellumora::editor {

namespace {

/// Gathers one attribute: the first value seen, nullopt once a second differs.
template <typename T>
class Agreement {
public:
    void see(const T& value) {
        if (!seen_) {
            value_ = value;
            seen_ = true;
        } else if (value_ && !(*value_ == value)) {
            value_.reset();
        }
    }
    std::optional<T> result() const { return value_; }

private:
    bool seen_ = false;
    std::optional<T> value_;
};

struct Gathered {
    Agreement<QString> family;
    Agreement<qreal> pointSize;
    Agreement<bool> bold, italic, underline;
    Agreement<QColor> color;
    bool any = false;

    void see(const QTextCharFormat& format, const QFont& defaultFont, const QColor& defaultColor) {
        any = true;
        const QFont font = format.font().resolve(defaultFont);
        family.see(font.family());
        pointSize.see(font.pointSizeF());
        bold.see(font.bold());
        italic.see(font.italic());
        underline.see(font.underline());
        color.see(format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color()
                                                                   : defaultColor);
    }

    SelectionFormat result() const {
        return {family.result(), pointSize.result(), bold.result(),
                italic.result(), underline.result(), color.result()};
    }
};

// Every stretch of selected text with one format; the breaks between
// paragraphs carry no characters and play no part.
void seeSelectedFragments(const QTextCursor& cursor, Gathered& gathered, const QFont& defaultFont,
                          const QColor& defaultColor) {
    const int start = cursor.selectionStart(), end = cursor.selectionEnd();
    const QTextDocument* document = cursor.document();
    for (QTextBlock block = document->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int from = fragment.position(), to = from + fragment.length();
            if (to > start && from < end)
                gathered.see(fragment.charFormat(), defaultFont, defaultColor);
        }
    }
}

}  // namespace

SelectionFormat readSelectionFormat(const QTextCursor& cursor, const QFont& defaultFont,
                                    const QColor& defaultColor) {
    Gathered gathered;
    if (cursor.hasSelection())
        seeSelectedFragments(cursor, gathered, defaultFont, defaultColor);
    // A selection of paragraph breaks only has the insertion point's format.
    if (!gathered.any)
        gathered.see(cursor.charFormat(), defaultFont, defaultColor);
    return gathered.result();
}

}  // namespace vellumora::editor
