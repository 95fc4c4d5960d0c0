#pragma once

#include "dialogs/dialogs.h"

#include <QPoint>

namespace vellumora {

/// The production dialogs: Qt's message box, input dialog and standard dialogs.
class QtDialogs final : public Dialogs {
public:
    MessageButton message(QWidget* parent, const MessageRequest& request) override;
    std::optional<QString> prompt(QWidget* parent, const QString& title,
                                  const QString& label) override;
    std::optional<QString> openFile(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> saveFile(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> openImage(QWidget* parent, const ImageRequest& request) override;
    std::optional<FontChoice> chooseFont(QWidget* parent, const FontChoice& initial) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    bool setUpPrinter(QWidget* parent, QPrinter& printer) override;
    void previewPrint(QWidget* parent, QPrinter& printer, const PaintPages& paint) override;
    std::optional<BookChoice> chooseBook(QWidget* parent, const BookChoice& initial) override;
    SpellingAnswer checkSpelling(QWidget* parent, const SpellingRequest& request) override;
    bool openWithDesktop(const QString& path) override;
    std::unique_ptr<Progress> showProgress(QWidget* parent,
                                           const ProgressRequest& request) override;

private:
    std::optional<QPoint> spellingPlace_;
};

}  // namespace vellumora
