#pragma once

#include "rtf/hiddentext.h"
#include "rtf/rtfreader.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>

#include <optional>

namespace vellumora::rtf::test {

/// The document's characters as stored, paragraphs joined by '\n' (no space for U+00A0, unlike
/// toPlainText).
inline QString rawText(const QTextDocument& document) {
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        paragraphs << block.text();
    }
    return paragraphs.join(u'\n');
}

/// What the reader makes of a file, as rawText, or "<not loaded>".
inline QString textOf(const QByteArray& bytes) {
    QTextDocument document;
    if (readDocument(bytes, document) != ReadStatus::Loaded) {
        return QStringLiteral("<not loaded>");
    }
    return rawText(document);
}

/// The attributes the codec promises to carry, as a format states them.
struct Attributes {
    QString family;
    int halfPoints = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool hidden = false;
    std::optional<QRgb> colour;

    bool operator==(const Attributes&) const = default;
};

inline Attributes attributesOf(const QTextCharFormat& format) {
    Attributes a;
    a.family = format.fontFamilies().toStringList().value(0);
    a.halfPoints = qRound(format.fontPointSize() * 2);
    a.bold = format.fontWeight() >= QFont::Bold;
    a.italic = format.fontItalic();
    a.underline = format.fontUnderline();
    a.hidden = isHiddenText(format);
    if (format.hasProperty(QTextFormat::ForegroundBrush)) {
        a.colour = format.foreground().color().rgb() & 0xFFFFFF;
    }
    return a;
}

inline QString describe(const Attributes& a) {
    return QStringLiteral("%1 %2hp%3%4%5%6 %7")
        .arg(a.family)
        .arg(a.halfPoints)
        .arg(a.bold ? " bold" : "")
        .arg(a.italic ? " italic" : "")
        .arg(a.underline ? " underline" : "")
        .arg(a.hidden ? " hidden" : "")
        .arg(a.colour ? QColor(*a.colour).name() : QStringLiteral("auto"));
}

/// One entry per character of the document (block ends excluded), in order.
inline QList<Attributes> attributesPerCharacter(const QTextDocument& document) {
    QList<Attributes> result;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const Attributes a = attributesOf(it.fragment().charFormat());
            for (int i = 0; i < it.fragment().length(); ++i) {
                result << a;
            }
        }
    }
    return result;
}

/// The format of the first occurrence of the character in the document.
inline QTextCharFormat formatAt(const QTextDocument& document, QChar character) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text().contains(character)) {
                return it.fragment().charFormat();
            }
        }
    }
    return {};
}

}  // namespace vellumora::rtf::test
