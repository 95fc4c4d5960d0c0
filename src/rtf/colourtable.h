#pragma once

#include <QByteArrayView>
#include <QRgb>

#include <cstddef>
#include <optional>
#include <vector>

namespace vellumora::rtf {

/**
 * The colours of a document, read entry by entry from its \colortbl. An
 * entry is its red, green and blue, ended by ';' or by the closing brace of
 * the table; an entry without them is the automatic colour. Past kMaxColours
 * entries a hostile file's further colours are dropped.
 */
class ColourTable {
public:
    static constexpr std::size_t kMaxColours = 4096;

    /// \redN, \greenN, \blueN of the entry being read, each clamped to 0..255.
    void setRed(int value);
    void setGreen(int value);
    void setBlue(int value);
    /// Bytes of the table's text, where ';' ends an entry.
    void appendBytes(QByteArrayView bytes);
    /// A group of the table closes; an entry with a colour given ends with it.
    void closeGroup();

    /// The colour of that number (\cfN); empty for the automatic colour or a number not in the table.
    std::optional<QRgb> colour(int number) const;
    /// Changes whenever an entry is added, the only way the table changes.
    std::size_t revision() const { return colours_.size(); }

private:
    void commitEntry();

    std::vector<std::optional<QRgb>> colours_;
    int red_ = 0;
    int green_ = 0;
    int blue_ = 0;
    bool entryStarted_ = false;  // a component is given: the entry is a colour, not the automatic one
};

}  // namespace vellumora::rtf
