#pragma once

#include <QByteArrayView>

#include <cstdint>
#include <string_view>

namespace vellumora::rtf {

/// What a control word does, one value for each word or family of words the reader knows.
enum class Word : std::uint8_t {
    Bold,
    Italic,
    Underline,
    UnderlineOff,
    Superscript,
    Subscript,
    NoSuperscript,
    Hidden,
    Plain,
    Font,
    FontSize,
    Colour,
    UnicodeSkip,
    Unicode,
    DoubleByte,
    SingleByte,
    HighAnsi,
    RightToLeft,
    LeftToRight,
    AssociatedFont,
    AssociatedBold,
    AssociatedItalic,
    AssociatedSize,
    ParagraphEnd,
    Character,
    FontTable,
    ColourTable,
    SkipGroup,
    KeepGroup,
    Footnote,
    FootnoteMark,
    Upr,
    Ud,
    DefaultFont,
    AnsiCodePage,
    CharacterSet,
    FontCharset,
    Red,
    Green,
    Blue,
    Picture,
    ShapeInstance,
    Shape,
    ShapeResult,
    Object,
    ObjectResult,
    PictureEncoding,
    PictureWidth,
    PictureHeight,
    PictureGoalWidth,
    PictureGoalHeight,
    PictureScaleX,
    PictureScaleY,
    PictureCropLeft,
    PictureCropRight,
    PictureCropTop,
    PictureCropBottom,
    BitmapBitsPerPixel,
    BitmapPlanes,
    BitmapWidthBytes,
    // Lists: which list and level a paragraph is in, and the list tables.
    ParagraphDefault,
    ListOverrideNumber,
    ListLevelNumber,
    ListLabel,
    ListTable,
    List,
    ListId,
    ListLevel,
    LevelNumberFormat,
    LevelStartAt,
    LevelText,
    LevelFollow,
    LevelNoRestart,
    ListOverride,
    OverrideLevel,
    OverrideStartAt,
};

/**
 * How the body of a document reads a control word. A destination is read
 * wherever it stands; the font and colour tables read the words of their
 * entries by the word alone.
 */
enum class WordKind : std::uint8_t {
    Destination,   ///< the rest of its group is read as what the word names, or skipped
    Property,      ///< a property of the group's text, given back at its closing brace
    Script,        ///< which script the text is in, and properties that apply to one script only
    Text,          ///< stands for text: a character, a paragraph end, a note's mark
    Document,      ///< a setting of the whole document
    TableEntry,    ///< part of a font or colour table entry; nothing in the body
    PictureEntry,  ///< how a picture's bytes are encoded, and its size; nothing in the body
    ListEntry,     ///< part of a list's definition in the list tables; nothing in the body
};

struct WordEntry {
    std::string_view name;
    Word word;
    WordKind kind;
    int value = 0;  ///< the character, the code page of a character set, or a picture's encoding
};

/// The entry of a control word by its name, or null for a word the reader does not know.
const WordEntry* findControlWord(QByteArrayView name);

}  // namespace vellumora::rtf
