#pragma once

// Generators for the documents the benchmarks open: a long life story as the
// program writes it, and the hostile or odd shapes that once held the reader
// for minutes. Each shape is made at a given size in bytes.

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace vellumora::bench {

/// A long life story: paragraphs of runs in several fonts, sizes and styles,
/// mostly Latin text with accented, Cyrillic, Chinese and emoji characters.
/// Eight sentences make a paragraph; the style changes every three sentences.
inline void fillLifeStory(QTextDocument& document, qsizetype characters) {
    static const QString sentences[] = {
        QStringLiteral(
            "I was born in a small town by the river, where every summer smelled of hay. "),
        QStringLiteral("Grand-mère Élise taught me to bake crêpes and to say « merci » properly. "),
        QStringLiteral("We wrote letters to cousins in Москва and to a pen friend in 北京. "),
        QStringLiteral("The first car was a green {Beetle} with a \\cracked\\ windscreen 😀. "),
    };
    document.setDefaultFont(QFont(QStringLiteral("arial"), 12));
    QTextCursor cursor(&document);
    QTextCharFormat formats[4];
    formats[1].setFontWeight(QFont::Bold);
    formats[2].setFontItalic(true);
    formats[2].setFontFamilies({QStringLiteral("Times New Roman")});
    formats[3].setForeground(QColor(160, 20, 40));
    formats[3].setFontPointSize(14);
    qsizetype written = 0;
    for (int i = 0; written < characters; ++i) {
        const QString& sentence = sentences[i % 4];
        cursor.insertText(sentence, formats[(i / 3) % 4]);
        written += sentence.size();
        if (i % 8 == 7) {
            cursor.insertBlock();
        }
    }
}

/// head, then unit repeated while the whole stays within bytes, then the closing brace.
inline QByteArray repeatedTo(QByteArray head, const QByteArray& unit, qsizetype bytes) {
    head.reserve(bytes + 1);
    while (head.size() + unit.size() < bytes) {
        head += unit;
    }
    return head + '}';
}

/// One paragraph whose bold is switched on and off after every letter.
inline QByteArray manyRunsInOneParagraph(qsizetype bytes) {
    return repeatedTo("{\\rtf1\\ansi ", "\\b a\\b0 b", bytes);
}

/// Nothing but empty paragraphs.
inline QByteArray manyParagraphs(qsizetype bytes) {
    return repeatedTo("{\\rtf1\\ansi ", "\\par", bytes);
}

/// One paragraph whose font changes after every letter.
inline QByteArray manyFontSwitches(qsizetype bytes) {
    return repeatedTo("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}",
                      "\\f0 a\\f1 b", bytes);
}

/// A run of escaped Unicode characters, each with its fallback.
inline QByteArray unicodeEscapes(qsizetype bytes) {
    return repeatedTo("{\\rtf1\\ansi ", "\\u1071?", bytes);
}

/// A plain-text file of nothing but line breaks.
inline QByteArray plainLineBreaks(qsizetype bytes) {
    return QByteArray(bytes, '\n');
}

/// A plain-text file of words without a single line break.
inline QByteArray oneLongLine(qsizetype bytes) {
    QByteArray line("words ");
    return line.repeated(bytes / line.size());
}

}  // namespace vellumora::bench
