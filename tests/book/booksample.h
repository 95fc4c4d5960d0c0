#pragma once

// A small story for the book's tests and its samples: answers with accented,
// Greek and Cyrillic letters, her bold and italic, a photo with its caption,
// questions left unanswered and a chapter without any answer.

#include "editor/documentassembly.h"
#include "pictures/picturestore.h"
#include "store/answerstore.h"
#include "store/catalogue.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace vellumora::test {

/// The positions answered in the sample: all of the first chapter but its
/// fourth question, one of High School, none of First Car, the rest every
/// other one. The seventh is one paragraph longer than a page.
inline bool sampleAnswers(int position) {
    if (position <= 10)
        return position != 4;
    if (position <= 18)
        return position == 12;
    if (position <= 23)
        return false;
    return position % 2 == 0;
}

inline QString sampleAnswer(int position) {
    static const QStringList sentences{
        QStringLiteral("We lived in a small house by the river, and every summer my brothers and "
                       "I built rafts from whatever the spring flood had left behind."),
        QStringLiteral("Grand-mère Zoë kept a café in Lyon; her letters to Αθηνά in Greece and "
                       "to Ольга in Kiev came back with stamps we traded at school."),
        QStringLiteral("Mother called us in at dusk, and Father read to us from a book whose "
                       "cover had long since come off."),
        QStringLiteral("It was not an easy time, but I remember it as a happy one."),
    };
    QString answer;
    if (position == 7) {  // one paragraph longer than any page
        for (int s = 0; s < 40; ++s)
            answer += sentences[s % sentences.size()] + u' ';
        return answer.trimmed();
    }
    const int paragraphs = 1 + position % 4;
    for (int p = 0; p < paragraphs; ++p) {
        if (p > 0)
            answer += QStringLiteral("\r\n");
        for (int s = 0; s <= (position + p) % 5; ++s)
            answer += sentences[(position + p + s) % sentences.size()] + u' ';
        answer = answer.trimmed();
    }
    return answer;
}

/// The compiled story of the sample answers, in the editor's Arial 12.
inline void fillSampleStory(QTextDocument& document) {
    AnswerStore store;
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        if (sampleAnswers(position))
            store.store(position, sampleAnswer(position));
    QFont font(QStringLiteral("arial"));
    font.setPointSize(12);
    document.setDefaultFont(font);
    document.setPlainText(editor::compileDocument(store));
}

/// A picture with a caption under it in the blank line before a question.
inline void insertPictureBefore(QTextDocument& document, int position,
                                const QTextImageFormat& picture, const QString& caption) {
    QTextCursor cursor = document.find(QLatin1StringView(catalogue::question(position).text));
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.movePosition(QTextCursor::PreviousBlock);
    cursor.insertImage(picture);
    cursor.insertBlock();
    cursor.insertText(caption);
}

/// A landscape of 640 by 420 added to the story's pictures; its name.
inline QString addSamplePicture(QTextDocument& document) {
    QImage image(640, 420, QImage::Format_RGB32);
    image.fill(QColor(200, 215, 230));
    {
        QPainter painter(&image);
        painter.fillRect(0, 260, 640, 160, QColor(90, 130, 80));
        painter.setBrush(QColor(240, 200, 60));
        painter.drawEllipse(470, 50, 90, 90);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return pictures::add(document,
                         std::make_shared<const pictures::Picture>(
                             pictures::Picture::Header{
                                 .encoding = pictures::Encoding::Png, .width = 640, .height = 420},
                             png));
}

/// Her bold and italic on words of the first answer, and photos with
/// captions under them after the third answer and the last.
inline void dressSampleStory(QTextDocument& document) {
    QTextCursor words = document.find(QStringLiteral("small house"));
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setFontPointSize(20);  // her size, which the book does not keep
    words.mergeCharFormat(bold);
    QTextCursor italic = document.find(QStringLiteral("Grand-mère Zoë"));
    QTextCharFormat slanted;
    slanted.setFontItalic(true);
    slanted.setFontFamilies({QStringLiteral("Courier")});
    italic.mergeCharFormat(slanted);

    const QString name = addSamplePicture(document);
    insertPictureBefore(document, 4, pictures::imageFormat(name, QSizeF(640, 420)),
                        QStringLiteral("The river behind the house, summer 1952"));
    // And one three pages tall, which the book makes fit a page.
    insertPictureBefore(document, 81, pictures::imageFormat(name, QSizeF(300, 3000)),
                        QStringLiteral("Our garden, from the roof"));
}

/// Paragraphs set as she may set them, in the blank line before a
/// question: a poem she centred, the line under it she set at the right, a
/// laugh and a web address each longer than a line, and a photo with no
/// caption between blank lines.
inline void addUncommonParagraphs(QTextDocument& document, int position) {
    QTextCursor cursor = document.find(QLatin1StringView(catalogue::question(position).text));
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.movePosition(QTextCursor::PreviousBlock);
    auto paragraph = [&](const QString& text, Qt::Alignment alignment) {
        QTextBlockFormat format;
        format.setAlignment(alignment);
        cursor.insertBlock(format);
        cursor.insertText(text);
    };
    for (const char* verse : {"The river ran behind the house,", "and all the summer long",
                              "we built our rafts of driftwood", "and sang the boatman's song."})
        paragraph(QString::fromLatin1(verse), Qt::AlignHCenter);
    paragraph(QStringLiteral("Grandfather, 1952"), Qt::AlignRight);
    paragraph(QStringLiteral("When he read it to us he laughed ") +
                  QStringLiteral("ha").repeated(70) +
                  QStringLiteral(" until he cried, and so did we."),
              Qt::AlignLeft);
    paragraph(QStringLiteral("The mill is on the map at https://maps.example.org/?q=Lyon+mill"
                             "&ll=45.764043,4.835659&z=17&t=k&layer=c&cbll=45.764043,4.835659"
                             "&cbp=12,0,0,0,0&output=embed&hl=fr, where the house was."),
              Qt::AlignJustify);
    paragraph(QString(), Qt::AlignLeft);
    cursor.insertBlock();
    cursor.insertImage(pictures::imageFormat(addSamplePicture(document), QSizeF(640, 420)));
    paragraph(QString(), Qt::AlignLeft);
}

}  // namespace vellumora::test
