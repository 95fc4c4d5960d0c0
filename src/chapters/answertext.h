#pragma once

#include <QString>

namespace vellumora::answertext {

/**
 * The one boundary between an answer box and the answer store. A box holds
 * its line breaks as "\n"; the store, the document and the data file hold
 * them as CR LF. Both directions keep every other character as it is, so an
 * answer comes back from the store exactly as it was typed.
 */

/// The text a box shows for a stored answer: CR LF, and a lone CR or LF
/// from a data file written elsewhere, become "\n".
QString toBox(const QString& stored);

/// The answer to store for a box's raw text: every line or paragraph break,
/// whether "\n", U+2028 or U+2029, becomes CR LF.
QString toStore(const QString& boxText);

}  // namespace vellumora::answertext
