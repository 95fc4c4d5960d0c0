#pragma once

#include "rtf/controlwords.h"

#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstddef>
#include <optional>
#include <unordered_map>
#include <vector>

namespace vellumora::rtf {

class CodePageDecoder;
class FontTable;

/// The levels of a list that a paragraph can name: \ilvl0 to \ilvl8.
inline constexpr int kListLevels = 9;

// What the list tables hold. They stand outside ListTable so that they are
// complete types where its members hold them in std::optional.
namespace lists {

enum class Format : unsigned char {
    Decimal,
    UpperRoman,
    LowerRoman,
    UpperLetter,
    LowerLetter,
    DecimalZero,  // two digits at least
    Bullet,       // no number: the level's text alone
};

struct Level {
    Format format = Format::Decimal;
    int startAt = 1;
    int font = -1;
    bool restarts = true;
    QString text;  // U+0000 to U+0008 stand for the numbers of levels 0 to 8
    QString follow = QStringLiteral("\t");
};

struct Counter {
    int value = 0;
    bool started = false;
};

struct List {
    std::vector<Level> levels;
    std::array<Counter, kListLevels> counters{};
};

struct Override {
    int listId = 0;
    std::array<std::optional<int>, kListLevels> startAt{};   // a level begun again, once
    std::array<std::optional<Level>, kListLevels> levels{};  // levels given in place of the list's
};

}  // namespace lists

/**
 * The lists of a document, read from its \listtable and \listoverridetable,
 * and the labels they give its list paragraphs in turn, as Word draws them.
 *
 * A paragraph names an override (\lsN) and a level (\ilvlN); the override
 * names a list (\listid), whose level gives the label's text: characters
 * with placeholders for the numbers of this level and the levels above it,
 * each number in its own level's format, then a tab, a space or nothing.
 * Numbers count per list and level: a paragraph begins its level's count
 * again below it, and an override may begin a level at a number of its own.
 *
 * Bullets come as bytes or characters of the level's font, and are read
 * through it, so that a Symbol or Wingdings bullet becomes the character it
 * draws. A hostile file's tables are bounded in lists, overrides and text.
 */
class ListTable {
public:
    static constexpr int kLevels = kListLevels;

    /// The fonts are those of the file, read before its list tables.
    ListTable(const FontTable& fonts, CodePageDecoder& decoder);

    // Reading the tables. The depth is that of the group the word stands in.
    void word(Word word, int number, std::size_t depth);
    /// Bytes of the tables' text: a level's text, or names that are not read.
    void appendBytes(QByteArrayView bytes);
    /// A character of the tables' text given by number (\u).
    void appendCharacter(char32_t character);
    /// The group at depth closes: ends what it began.
    void closeGroup(std::size_t depth);

    struct Label {
        QString text;   ///< the label with what follows it, perhaps a tab
        int font = -1;  ///< the level's font; -1: the paragraph's own
    };

    /**
     * The label of the next paragraph of that override and level, counted
     * in; nothing when the tables do not give one, as for an override or a
     * level they lack.
     */
    std::optional<Label> nextLabel(int overrideNumber, int level);

private:
    using Format = lists::Format;
    using Level = lists::Level;
    using Counter = lists::Counter;
    using List = lists::List;
    using Override = lists::Override;

    void levelWord(Word word, int number, std::size_t depth);
    void beginList(std::size_t depth);
    void beginLevel(std::size_t depth);
    void beginOverride(std::size_t depth);
    void beginOverrideLevel(std::size_t depth);
    void setListId(int id);
    void setStartAt(int number);
    void finishLevel();
    QString decodedLevelText() const;
    static const Level* levelOf(const List& list, const Override& override, int level);
    static void countParagraph(List& list, Override& override, int level);
    static QString labelText(const List& list, const Override& override, const Level& level);
    static QString numberText(const List& list, const Override& override, int level);
    static Format formatOf(int levelNumberFormat);
    static QString formatted(int number, Format format);

    const FontTable& fonts_;
    CodePageDecoder& decoder_;
    std::unordered_map<int, List> lists_;
    std::unordered_map<int, Override> overrides_;

    // What is being read, each with the depth of the group that began it; 0: none.
    std::optional<List> list_;
    int listId_ = 0;
    std::size_t listDepth_ = 0;
    std::optional<Level> level_;
    std::size_t levelDepth_ = 0;
    std::size_t levelTextDepth_ = 0;
    // The level's text as it came: bytes are kept apart from characters given by number.
    std::vector<char32_t> levelUnits_;
    std::optional<Override> override_;
    int overrideNumber_ = 0;
    std::size_t overrideDepth_ = 0;
    int overrideLevel_ = -1;  // the \lfolevel being read, counted from 0
    std::size_t overrideLevelDepth_ = 0;
    bool overrideStartAt_ = false;  // the level's \levelstartat begins it again
    std::optional<int> overrideStart_;
};

}  // namespace vellumora::rtf
