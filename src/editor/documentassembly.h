#pragma once

#include <QString>

namespace vellumora {
class AnswerStore;
}

namespace vellumora::editor {

/**
 * The compiled document: every chapter heading, every question and every
 * answer of the questionnaire in catalogue order, as one plain text with
 * CR LF line breaks. Each heading, question and answer is followed by a
 * blank line, except the very last answer, which ends with a single CR LF.
 * Answers go in exactly as stored; an unset slot gives an empty line.
 */
QString compileDocument(const AnswerStore& store);

}  // namespace vellumora::editor
