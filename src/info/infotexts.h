#pragma once

#include <QString>

/**
 * The fixed texts of the information pages. Line breaks are CR LF, as in
 * every text the program writes into a label.
 */
namespace vellumora::infotexts {

/// The instructions: what the program is, with the note on the questions.
QString instructionsIntro();
/// The instructions: advice on answering the questions.
QString instructionsAdvice();
/// The instructions: the request for feedback, on two lines.
QString instructionsFeedback();

/// The About page's contact block: six lines (person, company, street, city,
/// e-mail, web).
QString contactBlock();
/// The version history, every line ended by a line break.
QString versionHistory();
/// The dedication inside the star of the credits window.
QString dedication();

/// The terms on which copies may be passed on, and whom to ask.
QString distributionTerms();
QString distributionContact();

/// One disclaimer of warranty and of liability, in three paragraphs.
QString warrantyPart1();
QString warrantyPart2();
QString warrantyPart3();

/// What shareware is, in two paragraphs.
QString sharewarePart1();
QString sharewarePart2();

}  // namespace vellumora::infotexts
