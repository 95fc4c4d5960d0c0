#include "rtf/listtable.h"

#include "rtf/fonttable.h"
#include "rtf/rtfcodepage.h"
#include "rtf/symbolfonts.h"

#include <algorithm>
#include <limits>

namespace vellumora::rtf {

namespace {

// Bounds that keep a hostile file's tables to the size of real ones.
constexpr std::size_t kMaxLists = 4096;
constexpr std::size_t kMaxOverrides = 4096;
constexpr std::size_t kMaxLevelTextUnits = 256;
// Letters repeat past Z (AA, BBB); a number past this many repeats is shown in digits.
constexpr int kMaxLetterRepeats = 8;
constexpr int kMaxRoman = 3999;

// A byte of a level's text, kept apart from characters given by number.
constexpr char32_t kByteUnit = 0x80000000;

bool isByte(char32_t unit) {
    return (unit & kByteUnit) != 0;
}

char byteOf(char32_t unit) {
    return static_cast<char>(unit & 0xFF);
}

QString roman(int number) {
    static constexpr std::pair<int, const char*> kNumerals[] = {
        {1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
        {40, "XL"},  {10, "X"},   {9, "IX"},  {5, "V"},    {4, "IV"},  {1, "I"}};
    QString text;
    for (const auto& [value, numeral] : kNumerals) {
        for (; number >= value; number -= value) {
            text += QLatin1StringView(numeral);
        }
    }
    return text;
}

}  // namespace

ListTable::ListTable(const FontTable& fonts, CodePageDecoder& decoder)
    : fonts_(fonts), decoder_(decoder) {}

void ListTable::word(Word word, int number, std::size_t depth) {
    switch (word) {
        case Word::List:
            beginList(depth);
            break;
        case Word::ListLevel:
            beginLevel(depth);
            break;
        case Word::ListOverride:
            beginOverride(depth);
            break;
        case Word::OverrideLevel:
            beginOverrideLevel(depth);
            break;
        case Word::ListId:
            setListId(number);
            break;
        case Word::ListOverrideNumber:
            if (override_) {
                overrideNumber_ = number;
            }
            break;
        case Word::LevelStartAt:
            setStartAt(number);
            break;
        case Word::OverrideStartAt:
            overrideStartAt_ = overrideLevelDepth_ != 0;
            break;
        default:
            if (level_) {
                levelWord(word, number, depth);
            }
            break;
    }
}

void ListTable::levelWord(Word word, int number, std::size_t depth) {
    switch (word) {
        case Word::LevelNumberFormat:
            level_->format = formatOf(number);
            break;
        case Word::LevelText:
            levelTextDepth_ = depth;
            levelUnits_.clear();
            break;
        case Word::LevelFollow:
            level_->follow = number == 1   ? QStringLiteral(" ")
                             : number == 2 ? QString()
                                           : QStringLiteral("\t");
            break;
        case Word::LevelNoRestart:
            level_->restarts = number == 0;
            break;
        case Word::Font:
            if (levelTextDepth_ == 0) {
                level_->font = number;
            }
            break;
        default:
            break;
    }
}

void ListTable::appendBytes(QByteArrayView bytes) {
    if (levelTextDepth_ == 0) {
        return;  // list and style names
    }
    for (const char byte : bytes) {
        if (levelUnits_.size() < kMaxLevelTextUnits) {
            levelUnits_.push_back(kByteUnit | static_cast<unsigned char>(byte));
        }
    }
}

void ListTable::appendCharacter(char32_t character) {
    if (levelTextDepth_ != 0 && levelUnits_.size() < kMaxLevelTextUnits) {
        levelUnits_.push_back(character);
    }
}

void ListTable::closeGroup(std::size_t depth) {
    if (levelTextDepth_ != 0 && depth <= levelTextDepth_) {
        levelTextDepth_ = 0;
    }
    if (level_ && depth <= levelDepth_) {
        finishLevel();
    }
    if (list_ && depth <= listDepth_) {
        if (lists_.size() < kMaxLists || lists_.contains(listId_)) {
            lists_[listId_] = std::move(*list_);
        }
        list_.reset();
    }
    if (overrideLevelDepth_ != 0 && depth <= overrideLevelDepth_) {
        if (override_ && overrideStartAt_ && overrideLevel_ < kLevels) {
            override_->startAt[overrideLevel_] = overrideStart_;
        }
        overrideLevelDepth_ = 0;
    }
    if (override_ && depth <= overrideDepth_) {
        if (overrides_.size() < kMaxOverrides || overrides_.contains(overrideNumber_)) {
            overrides_[overrideNumber_] = *override_;
        }
        override_.reset();
    }
}

std::optional<ListTable::Label> ListTable::nextLabel(int overrideNumber, int level) {
    const auto found = overrides_.find(overrideNumber);
    if (found == overrides_.end()) {
        return std::nullopt;
    }
    const auto listFound = lists_.find(found->second.listId);
    if (listFound == lists_.end()) {
        return std::nullopt;
    }
    List& list = listFound->second;
    Override& override = found->second;
    level = std::clamp(level, 0, kLevels - 1);
    const Level* definition = levelOf(list, override, level);
    if (!definition) {
        return std::nullopt;
    }
    countParagraph(list, override, level);
    return Label{labelText(list, override, *definition), definition->font};
}

void ListTable::countParagraph(List& list, Override& override, int level) {
    const Level& definition = *levelOf(list, override, level);
    Counter& counter = list.counters[level];
    if (std::optional<int>& start = override.startAt[level]) {
        counter = {*start, true};
        start.reset();
    } else if (!counter.started) {
        counter = {definition.startAt, true};
    } else if (counter.value < std::numeric_limits<int>::max()) {
        ++counter.value;
    }
    // The levels below count again after this one, unless they are told not to.
    for (int below = level + 1; below < kLevels; ++below) {
        const Level* lower = levelOf(list, override, below);
        list.counters[below].started &= lower && !lower->restarts;
    }
}

QString ListTable::labelText(const List& list, const Override& override, const Level& level) {
    QString text;
    for (const QChar character : level.text) {
        if (character.unicode() < kLevels) {
            text += numberText(list, override, character.unicode());
        } else {
            text += character;
        }
    }
    return text + level.follow;
}

void ListTable::beginList(std::size_t depth) {
    list_ = List{};
    listId_ = 0;
    listDepth_ = depth;
}

void ListTable::beginLevel(std::size_t depth) {
    // A level given whole in an override stands in for the list's.
    const bool inOverride = override_ && overrideLevelDepth_ != 0 && overrideLevel_ < kLevels;
    if (inOverride || (list_ && !override_)) {
        level_ = Level{};
        levelDepth_ = depth;
        levelUnits_.clear();
    }
}

void ListTable::beginOverride(std::size_t depth) {
    override_ = Override{};
    overrideNumber_ = 0;
    overrideDepth_ = depth;
    overrideLevel_ = -1;
    overrideLevelDepth_ = 0;
}

void ListTable::beginOverrideLevel(std::size_t depth) {
    if (override_) {
        // An override's levels come in order, from the first.
        ++overrideLevel_;
        overrideLevelDepth_ = depth;
        overrideStartAt_ = false;
        overrideStart_.reset();
    }
}

void ListTable::setListId(int id) {
    if (override_) {
        override_->listId = id;
    } else if (list_) {
        listId_ = id;
    }
}

void ListTable::setStartAt(int number) {
    if (level_) {
        level_->startAt = number;
    }
    if (overrideLevelDepth_ != 0) {
        overrideStart_ = number;
    }
}

void ListTable::finishLevel() {
    level_->text = decodedLevelText();
    if (override_ && overrideLevelDepth_ != 0 && overrideLevel_ < kLevels) {
        override_->levels[overrideLevel_] = std::move(*level_);
    } else if (list_ && list_->levels.size() < std::size_t(kLevels)) {
        list_->levels.push_back(std::move(*level_));
    }
    level_.reset();
    levelUnits_.clear();
}

// The text begins with its length, as a byte, and ends with ';'. Bytes 0 to 8
// stand for the numbers of the levels; the others, and characters given by
// number, are read through the level's font.
QString ListTable::decodedLevelText() const {
    std::vector<char32_t> units = levelUnits_;
    if (!units.empty() && units.back() == (kByteUnit | ';')) {
        units.pop_back();
    }
    std::size_t first = 0;
    std::size_t length = units.size();
    if (!units.empty() && isByte(units.front())) {
        first = 1;
        length = std::min<std::size_t>(static_cast<unsigned char>(byteOf(units.front())),
                                       units.size() - 1);
    }
    const int codePage = fonts_.codePageOf(level_->font);
    const std::optional<SymbolGlyphs> glyphs = glyphsForCodePage(codePage);
    QString text;
    QByteArray bytes;
    const auto flushBytes = [&] {
        text += decoder_.decode(codePage, bytes);
        bytes.clear();
    };
    for (std::size_t i = first; i < first + length; ++i) {
        const char32_t unit = units[i];
        if (isByte(unit) && static_cast<unsigned char>(byteOf(unit)) >= kLevels) {
            bytes += byteOf(unit);
            continue;
        }
        flushBytes();
        if (isByte(unit)) {
            text += QChar(char16_t(byteOf(unit)));  // a number's place
        } else {
            // A character of a symbol font's own numbers is a Symbol bullet in any other
            // font: writers leave the font of a bullet out of the font table.
            text += QChar::fromUcs4(
                symbolCharacterForCodePoint(glyphs.value_or(SymbolGlyphs::Symbol), unit));
        }
    }
    flushBytes();
    return text;
}

const ListTable::Level* ListTable::levelOf(const List& list, const Override& override, int level) {
    if (const std::optional<Level>& replaced = override.levels[level]) {
        return &*replaced;
    }
    return std::size_t(level) < list.levels.size() ? &list.levels[level] : nullptr;
}

QString ListTable::numberText(const List& list, const Override& override, int level) {
    const Level* definition = levelOf(list, override, level);
    if (!definition) {
        return {};
    }
    const Counter& counter = list.counters[level];
    // A level above that no paragraph has begun shows the number it would begin at.
    return formatted(counter.started ? counter.value : definition->startAt, definition->format);
}

ListTable::Format ListTable::formatOf(int levelNumberFormat) {
    switch (levelNumberFormat) {
        case 1:
            return Format::UpperRoman;
        case 2:
            return Format::LowerRoman;
        case 3:
            return Format::UpperLetter;
        case 4:
            return Format::LowerLetter;
        case 22:
            return Format::DecimalZero;
        case 23:   // a bullet
        case 255:  // no number
            return Format::Bullet;
        default:
            // Ordinals, words and the numbers of other scripts: their digits.
            return Format::Decimal;
    }
}

QString ListTable::formatted(int number, Format format) {
    switch (format) {
        case Format::Bullet:
            return {};
        case Format::UpperRoman:
        case Format::LowerRoman:
            if (number >= 1 && number <= kMaxRoman) {
                const QString text = roman(number);
                return format == Format::UpperRoman ? text : text.toLower();
            }
            break;
        case Format::UpperLetter:
        case Format::LowerLetter:
            if (number >= 1 && (number - 1) / 26 < kMaxLetterRepeats) {
                const char letter =
                    char((format == Format::UpperLetter ? 'A' : 'a') + (number - 1) % 26);
                return QString((number - 1) / 26 + 1, QLatin1Char(letter));
            }
            break;
        case Format::DecimalZero:
            if (number >= 0 && number < 10) {
                return u'0' + QString::number(number);
            }
            break;
        case Format::Decimal:
            break;
    }
    return QString::number(number);
}

}  // namespace vellumora::rtf
