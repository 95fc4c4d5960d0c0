#include "editor/documentopening.h"

#include "dialogs/dialogs.h"
#include "rtf/rtffile.h"

#include <QFileInfo>

#include <memory>

namespace vellumora::editor {

bool openDocumentFile(Dialogs& dialogs, QWidget& editor, const QString& path,
                      QTextDocument& document, QString* errorMessage, rtf::NotKept* notKept) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() <= kProgressShownFromBytes) {
        return rtf::loadDocumentFile(path, document, errorMessage, {}, notKept);
    }
    constexpr int kSteps = 100;
    ProgressRequest request{QStringLiteral("Vellumora"),
                            QStringLiteral("Opening \"%1\"...").arg(info.fileName()), kSteps};
    request.canCancel = false;
    const std::unique_ptr<Progress> progress = dialogs.showProgress(&editor, request);
    int shown = -1;
    const auto moveBar = [&](int percent) {
        if (progress && percent != shown) {
            shown = percent;
            progress->advance(percent);
        }
    };
    return rtf::loadDocumentFile(path, document, errorMessage, moveBar, notKept);
}

}  // namespace vellumora::editor
