#pragma once

#include <QList>
#include <QString>

class QTextDocument;

namespace vellumora::book {

/// A question found in the story, with the paragraphs of its answer.
struct OutlineQuestion {
    int block = -1;         ///< the paragraph holding the question's wording
    int answerEnd = -1;     ///< one past its answer's last paragraph
    bool answered = false;  ///< the answer holds more than blanks
};

/// A chapter found in the story: its heading and what follows up to the next one.
struct OutlineChapter {
    int chapter = -1;  ///< its index in the catalogue's chapters; -1 for text before any heading
    int block = -1;    ///< the heading's paragraph; -1 when there is none
    int textEnd = -1;  ///< one past the paragraphs between the heading and its first question
    bool hasText = false;  ///< those paragraphs hold more than blanks
    QList<OutlineQuestion> questions;
    int end = -1;  ///< one past its last paragraph

    bool answered() const;
};

/**
 * The story's structure as its text shows it. She may edit the compiled
 * document freely before she makes the book, so the structure is found by
 * the words: a paragraph that is a chapter heading ("CHILDHOOD:", each at
 * its first appearance), a paragraph that is a question in the catalogue's
 * wording, and between them her answers. Blanks around a heading or a
 * question are of no account.
 */
QList<OutlineChapter> outlineOf(const QTextDocument& story);

/// "High School" for "HIGH SCHOOL:".
QString titleCase(const QString& heading);

/// A paragraph that holds nothing but blanks.
bool isBlank(const QString& paragraph);

}  // namespace vellumora::book
