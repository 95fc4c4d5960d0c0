#include "rtf/controlwords.h"

#include "pictures/picture.h"

#include <array>
#include <cstdint>
#include <iterator>

namespace vellumora::rtf {

namespace {

using enum WordKind;
using pictures::Encoding;

// The one table of the control words the reader knows; a word not here is skipped.
constexpr WordEntry kWords[] = {
    // Properties of the group's text.
    {"b", Word::Bold, Property},
    {"i", Word::Italic, Property},
    {"ul", Word::Underline, Property},
    {"ulnone", Word::UnderlineOff, Property},
    {"super", Word::Superscript, Property},
    {"sub", Word::Subscript, Property},
    {"nosupersub", Word::NoSuperscript, Property},
    {"v", Word::Hidden, Property},
    {"plain", Word::Plain, Property},
    {"f", Word::Font, Property},
    {"fs", Word::FontSize, Property},
    {"cf", Word::Colour, Property},
    {"uc", Word::UnicodeSkip, Property},
    // Properties of the paragraph: the list it is in, and its level there.
    {"pard", Word::ParagraphDefault, Property},
    {"ls", Word::ListOverrideNumber, Property},
    {"ilvl", Word::ListLevelNumber, Property},
    // Scripts: which one the text is in, and properties of the text of one script.
    {"dbch", Word::DoubleByte, Script},
    {"loch", Word::SingleByte, Script},
    {"hich", Word::HighAnsi, Script},
    {"rtlch", Word::RightToLeft, Script},
    {"ltrch", Word::LeftToRight, Script},
    {"af", Word::AssociatedFont, Script},
    {"ab", Word::AssociatedBold, Script},
    {"ai", Word::AssociatedItalic, Script},
    {"afs", Word::AssociatedSize, Script},
    // Text: characters by number, ends of paragraphs.
    {"u", Word::Unicode, Text},
    {"par", Word::ParagraphEnd, Text},
    {"sect", Word::ParagraphEnd, Text},
    {"page", Word::ParagraphEnd, Text},
    {"row", Word::ParagraphEnd, Text},
    {"nestrow", Word::ParagraphEnd, Text},
    // Characters by name.
    {"line", Word::Character, Text, 0x2028},
    {"tab", Word::Character, Text, '\t'},
    {"cell", Word::Character, Text, '\t'},
    {"nestcell", Word::Character, Text, '\t'},
    {"emdash", Word::Character, Text, 0x2014},
    {"endash", Word::Character, Text, 0x2013},
    {"lquote", Word::Character, Text, 0x2018},
    {"rquote", Word::Character, Text, 0x2019},
    {"ldblquote", Word::Character, Text, 0x201C},
    {"rdblquote", Word::Character, Text, 0x201D},
    {"chftn", Word::FootnoteMark, Text},
    {"bullet", Word::Character, Text, 0x2022},
    {"emspace", Word::Character, Text, 0x2003},
    {"enspace", Word::Character, Text, 0x2002},
    {"qmspace", Word::Character, Text, 0x2005},
    {"zwj", Word::Character, Text, 0x200D},
    {"zwnj", Word::Character, Text, 0x200C},
    {"ltrmark", Word::Character, Text, 0x200E},
    {"rtlmark", Word::Character, Text, 0x200F},
    // Destinations that are read.
    {"fonttbl", Word::FontTable, Destination},
    {"colortbl", Word::ColourTable, Destination},
    {"upr", Word::Upr, Destination},
    {"ud", Word::Ud, Destination},
    {"field", Word::KeepGroup, Destination},
    {"fldrslt", Word::KeepGroup, Destination},
    // A list paragraph's label as it was last shown, for readers without lists.
    {"listtext", Word::ListLabel, Destination},
    {"pntext", Word::ListLabel, Destination},
    {"listtable", Word::ListTable, Destination},
    {"listoverridetable", Word::ListTable, Destination},
    // Some writers put a nested table's cells inside its properties.
    {"nesttableprops", Word::KeepGroup, Destination},
    {"footnote", Word::Footnote, Destination},
    {"pict", Word::Picture, Destination},
    // Word's picture, beside a copy for older readers in \nonshppict.
    {"shppict", Word::KeepGroup, Destination},
    // A shape: its picture, if it has one, is in its properties; its result
    // is what a reader that knows no shapes shows in its place.
    {"shp", Word::Shape, Destination},
    {"shpinst", Word::ShapeInstance, Destination},
    {"shprslt", Word::ShapeResult, Destination},
    // An embedded object: its data is lost, the picture of its result stays.
    {"object", Word::Object, Destination},
    {"result", Word::ObjectResult, Destination},
    // Destinations whose content is not text of the document.
    {"stylesheet", Word::SkipGroup, Destination},
    {"info", Word::SkipGroup, Destination},
    {"header", Word::SkipGroup, Destination},
    {"headerl", Word::SkipGroup, Destination},
    {"headerr", Word::SkipGroup, Destination},
    {"headerf", Word::SkipGroup, Destination},
    {"footer", Word::SkipGroup, Destination},
    {"footerl", Word::SkipGroup, Destination},
    {"footerr", Word::SkipGroup, Destination},
    {"footerf", Word::SkipGroup, Destination},
    {"nonesttables", Word::SkipGroup, Destination},
    {"ftnsep", Word::SkipGroup, Destination},
    {"ftnsepc", Word::SkipGroup, Destination},
    {"ftncn", Word::SkipGroup, Destination},
    {"aftnsep", Word::SkipGroup, Destination},
    {"aftnsepc", Word::SkipGroup, Destination},
    {"aftncn", Word::SkipGroup, Destination},
    {"annotation", Word::SkipGroup, Destination},
    {"atnid", Word::SkipGroup, Destination},
    {"atnauthor", Word::SkipGroup, Destination},
    {"fldinst", Word::SkipGroup, Destination},
    {"themedata", Word::SkipGroup, Destination},
    {"colorschememapping", Word::SkipGroup, Destination},
    {"datastore", Word::SkipGroup, Destination},
    {"latentstyles", Word::SkipGroup, Destination},
    {"revtbl", Word::SkipGroup, Destination},
    {"rsidtbl", Word::SkipGroup, Destination},
    {"xmlnstbl", Word::SkipGroup, Destination},
    {"filetbl", Word::SkipGroup, Destination},
    {"generator", Word::SkipGroup, Destination},
    {"falt", Word::SkipGroup, Destination},
    {"panose", Word::SkipGroup, Destination},
    {"fname", Word::SkipGroup, Destination},
    {"pn", Word::SkipGroup, Destination},
    {"pntxta", Word::SkipGroup, Destination},
    {"pntxtb", Word::SkipGroup, Destination},
    {"nonshppict", Word::SkipGroup, Destination},
    {"do", Word::SkipGroup, Destination},
    {"txe", Word::SkipGroup, Destination},
    {"xe", Word::SkipGroup, Destination},
    {"tc", Word::SkipGroup, Destination},
    {"template", Word::SkipGroup, Destination},
    {"userprops", Word::SkipGroup, Destination},
    {"docvar", Word::SkipGroup, Destination},
    // Document settings and table entries.
    {"deff", Word::DefaultFont, Document},
    {"ansicpg", Word::AnsiCodePage, Document},
    {"ansi", Word::CharacterSet, Document, 1252},
    {"mac", Word::CharacterSet, Document, 10000},
    {"pc", Word::CharacterSet, Document, 437},
    {"pca", Word::CharacterSet, Document, 850},
    {"fcharset", Word::FontCharset, TableEntry},
    {"red", Word::Red, TableEntry},
    {"green", Word::Green, TableEntry},
    {"blue", Word::Blue, TableEntry},
    // A picture's encoding and size.
    {"pngblip", Word::PictureEncoding, PictureEntry, int(Encoding::Png)},
    {"jpegblip", Word::PictureEncoding, PictureEntry, int(Encoding::Jpeg)},
    {"emfblip", Word::PictureEncoding, PictureEntry, int(Encoding::Emf)},
    {"wmetafile", Word::PictureEncoding, PictureEntry, int(Encoding::Wmf)},
    {"macpict", Word::PictureEncoding, PictureEntry, int(Encoding::MacPict)},
    {"pmmetafile", Word::PictureEncoding, PictureEntry, int(Encoding::Os2Metafile)},
    {"dibitmap", Word::PictureEncoding, PictureEntry, int(Encoding::Dib)},
    {"wbitmap", Word::PictureEncoding, PictureEntry, int(Encoding::DeviceBitmap)},
    {"picw", Word::PictureWidth, PictureEntry},
    {"pich", Word::PictureHeight, PictureEntry},
    {"picwgoal", Word::PictureGoalWidth, PictureEntry},
    {"pichgoal", Word::PictureGoalHeight, PictureEntry},
    {"picscalex", Word::PictureScaleX, PictureEntry},
    {"picscaley", Word::PictureScaleY, PictureEntry},
    {"piccropl", Word::PictureCropLeft, PictureEntry},
    {"piccropr", Word::PictureCropRight, PictureEntry},
    {"piccropt", Word::PictureCropTop, PictureEntry},
    {"piccropb", Word::PictureCropBottom, PictureEntry},
    {"wbmbitspixel", Word::BitmapBitsPerPixel, PictureEntry},
    {"wbmplanes", Word::BitmapPlanes, PictureEntry},
    {"wbmwidthbytes", Word::BitmapWidthBytes, PictureEntry},
    // The lists of the list tables, their levels, and the overrides that paragraphs name.
    {"list", Word::List, ListEntry},
    {"listid", Word::ListId, ListEntry},
    {"listlevel", Word::ListLevel, ListEntry},
    {"levelnfc", Word::LevelNumberFormat, ListEntry},
    {"levelnfcn", Word::LevelNumberFormat, ListEntry},
    {"levelstartat", Word::LevelStartAt, ListEntry},
    {"leveltext", Word::LevelText, ListEntry},
    {"levelfollow", Word::LevelFollow, ListEntry},
    {"levelnorestart", Word::LevelNoRestart, ListEntry},
    {"listoverride", Word::ListOverride, ListEntry},
    {"lfolevel", Word::OverrideLevel, ListEntry},
    {"listoverridestartat", Word::OverrideStartAt, ListEntry},
};

}  // namespace

namespace {

/// The words by name, in open addressing: a file names a control word every
/// few bytes, and most of the names are not known here.
class WordTable {
public:
    WordTable() {
        for (const WordEntry& entry : kWords) {
            if (entry.name.size() == 1) {
                letters_[static_cast<unsigned char>(entry.name[0])] = &entry;
            }
            std::size_t slot = hash(entry.name) & kMask;
            while (slots_[slot]) {
                slot = (slot + 1) & kMask;
            }
            slots_[slot] = &entry;
        }
    }

    const WordEntry* find(std::string_view name) const {
        // \u, \b, \i and \f, the most frequent words, are found by their letter.
        if (name.size() == 1) {
            return letters_[static_cast<unsigned char>(name[0])];
        }
        for (std::size_t slot = hash(name) & kMask;; slot = (slot + 1) & kMask) {
            const WordEntry* entry = slots_[slot];
            if (!entry || entry->name == name) {
                return entry;
            }
        }
    }

private:
    static constexpr std::size_t kSlots = 1024;  // a power of two, well over the words
    static constexpr std::size_t kMask = kSlots - 1;
    static_assert(std::size(kWords) < kSlots / 2);

    static std::size_t hash(std::string_view name) {
        std::uint32_t value = 2166136261u;  // FNV-1a
        for (const char c : name) {
            value = (value ^ static_cast<unsigned char>(c)) * 16777619u;
        }
        return value;
    }

    std::array<const WordEntry*, kSlots> slots_{};
    std::array<const WordEntry*, 256> letters_{};
};

}  // namespace

const WordEntry* findControlWord(QByteArrayView name) {
    static const WordTable table;
    const std::string_view key(name.data(), static_cast<std::size_t>(name.size()));
    if (const WordEntry* found = table.find(key)) {
        return found;
    }
    // \uld, \uldb, \ulwave and the other underline kinds all underline; \ulc is a colour.
    static constexpr WordEntry kUnderlineKind{"ul", Word::Underline, Property};
    if (key.size() > 2 && key.starts_with("ul") && key != "ulc") {
        return &kUnderlineKind;
    }
    return nullptr;
}

}  // namespace vellumora::rtf
