#include "textlayout/backgroundlayout.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace vellumora::textlayout {

// The plain text layout lays out only what it is asked for, and a document
// with no page size is not laid out at all; the rich text layout reaches the
// last paragraph only when it has finished.
bool isLaidOutInTheBackground(const QTextDocument& document) {
    return document.documentLayout()->inherits("QTextDocumentLayout") &&
           !document.pageSize().isNull() && document.lastBlock().layout()->lineCount() == 0;
}

// Asking for the document's whole size makes the layout finish.
void finishBackgroundLayout(const QTextDocument& document) {
    if (isLaidOutInTheBackground(document))
        document.documentLayout()->documentSize();
}

}  // namespace vellumora::textlayout
