#include "editor/documentopening.h"

#include "dialogs/dialogs.h"
#include "rtf/rtffile.h"

#include <QFileInfo>

#include <memory>

namespace vellumora::editor {

bool openDocumentFile(Dialogs& dialogs, QWidget& editor, const QString& path,
                      QTextDocument& document, QString* errorMessage) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() <= kProgressShownFromBytes) {
        return rtf::loadDocumentFile(path, document, errorMessage);
    }
    constexpr int kSteps = 100;
    const std::unique_ptr<Progress> progress =
        dialogs.progress(&editor, QStringLiteral("Vellumora"),
                         QStringLiteral("Opening \"%1\"...").arg(info.fileName()), kSteps);
    int shown = -1;
    const auto moveBar = [&](int percent) {
        if (progress && percent != shown) {
            shown = percent;
            progress->setValue(percent);
        }
    };
    return rtf::loadDocumentFile(path, document, errorMessage, moveBar);
}

}  // namespace vellumora::editor
