#pragma once

class QTextDocument;

namespace vellumora::textlayout {

/**
 * Qt's rich text layout lays a long document out front to back, a slice at
 * a time while the program is idle, and takes any change made meanwhile (a
 * new layout of some paragraphs too) as the end of its work: the paragraphs
 * it had not reached stay without lines, and the rest of the document cannot
 * be scrolled to. These tell whether it is still at work, and make it finish.
 */
bool isLaidOutInTheBackground(const QTextDocument& document);
void finishBackgroundLayout(const QTextDocument& document);

}  // namespace vellumora::textlayout
