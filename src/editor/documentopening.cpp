#include "editor/documentopening.h"

#include "dialogs/dialogs.h"
#include "rtf/rtffile.h"

#include <QFileInfo>
#include <QWidget>

#include <memory>

namespace vellumora::editor {

namespace {

/// Keeps a window from being painted while it lives: the progress window
/// lets the event loop run, and the editor's half-built document is not to
/// be laid out or shown.
class PaintingPaused {
public:
    explicit PaintingPaused(QWidget& window)
        : window_(window), wasEnabled_(window.updatesEnabled()) {
        window_.setUpdatesEnabled(false);
    }
    ~PaintingPaused() { window_.setUpdatesEnabled(wasEnabled_); }
    PaintingPaused(const PaintingPaused&) = delete;
    PaintingPaused& operator=(const PaintingPaused&) = delete;

private:
    QWidget& window_;
    bool wasEnabled_;
};

}  // namespace

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
    const PaintingPaused paused(editor);
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
