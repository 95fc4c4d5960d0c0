#pragma once

#include "rtf/rtfreader.h"

#include <QString>

class QTextDocument;
class QWidget;

namespace vellumora {

class Dialogs;

namespace editor {

/// Files larger than this show a progress window while they are opened.
inline constexpr qint64 kProgressShownFromBytes = 2 * 1024 * 1024;

/**
 * Loads a document file into the editor's document, as the File menu's Open
 * does. A large file shows a progress window over the editor meanwhile; the
 * text area stays blank until the document is whole, as nothing of it is
 * laid out before. On failure (past a bound: before anything changed) the
 * document is unchanged and errorMessage names the reason for the user.
 * notKept, when given, hears what the file held that the document cannot keep.
 */
bool openDocumentFile(Dialogs& dialogs, QWidget& editor, const QString& path,
                      QTextDocument& document, QString* errorMessage,
                      rtf::NotKept* notKept = nullptr);

}  // namespace editor
}  // namespace vellumora
