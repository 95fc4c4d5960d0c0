#include "textlayout/longwords.h"

#include <QObject>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextOption>

namespace vellumora::textlayout {

bool offersLineBreak(QChar c) {
    if (c.isSpace() || c == u'-')
        return true;
    // The scripts below all begin past U+2E80; most text need not look its script up.
    if (c.unicode() < 0x2E80)
        return false;
    switch (c.script()) {
        case QChar::Script_Han:
        case QChar::Script_Hiragana:
        case QChar::Script_Katakana:
        case QChar::Script_Yi:
            return true;
        default:
            return false;
    }
}

void UnbrokenRunCounter::add(QStringView text) {
    for (const QChar c : text) {
        // ASCII, most of most text, is answered here without a call.
        const char16_t unit = c.unicode();
        const bool breaks = unit < 0x80 ? unit == u' ' || unit == u'-' || (unit >= 9 && unit <= 13)
                                        : offersLineBreak(c);
        if (breaks) {
            current_ = 0;
        } else {
            longest_ = std::max(longest_, ++current_);
        }
    }
}

qsizetype longestUnbrokenRun(QStringView text) {
    UnbrokenRunCounter counter;
    counter.add(text);
    return counter.longest();
}

namespace {

bool holdsLongWord(const QTextBlock& block) {
    return block.length() > kLongestWordWrappedAtWords &&
           longestUnbrokenRun(block.text()) > kLongestWordWrappedAtWords;
}

bool holdsLongWord(const QTextDocument& document, int from, int to) {
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() <= to;
         block = block.next())
        if (holdsLongWord(block))
            return true;
    return false;
}

void wrap(QTextDocument& document, QTextOption::WrapMode mode) {
    QTextOption option = document.defaultTextOption();
    if (option.wrapMode() == mode)
        return;
    option.setWrapMode(mode);
    document.setDefaultTextOption(option);
}

// Told before the layout hears of the change, so that the changed text is
// laid out once, in the mode it needs. Adding text can bring a long word but
// never take one away elsewhere; once one is there, every change looks
// again at the whole text, which costs no more than laying out a paragraph.
void followChange(QTextDocument& document, int position, int added) {
    const bool anywhere = document.defaultTextOption().wrapMode() == QTextOption::WrapAnywhere;
    if (!anywhere) {
        if (holdsLongWord(document, position, position + added))
            wrap(document, QTextOption::WrapAnywhere);
        return;
    }
    if (!holdsLongWord(document, 0, document.characterCount()))
        wrap(document, QTextOption::WrapAtWordBoundaryOrAnywhere);
}

}  // namespace

void keepLongWordsCheap(QTextDocument& document) {
    followChange(document, 0, document.characterCount());
    QObject::connect(&document, &QTextDocument::contentsChange, &document,
                     [&document](int position, int, int added) {
                         followChange(document, position, added);
                     });
}

}  // namespace vellumora::textlayout
