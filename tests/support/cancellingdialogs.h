#pragma once

#include "dialogs/dialogs.h"

namespace vellumora::test {

/**
 * Dialogs for a program run that nobody watches (a benchmark, a driven child
 * process): OK to a note, No to a question, and every chooser cancelled.
 * Unlike ScriptedDialogs it keeps no record and never complains; a run that
 * needs a particular answer overrides that one call.
 */
class CancellingDialogs : public Dialogs {
public:
    MessageButton message(QWidget*, const MessageRequest& request) override {
        return request.buttons == MessageButtons::Ok ? MessageButton::Ok : MessageButton::No;
    }
    std::optional<QString> prompt(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> openFile(QWidget*, const FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(QWidget*, const FileRequest&) override { return std::nullopt; }
    std::optional<QString> openImage(QWidget*, const ImageRequest&) override {
        return std::nullopt;
    }
    std::optional<FontChoice> chooseFont(QWidget*, const FontChoice&) override {
        return std::nullopt;
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
    bool setUpPrinter(QWidget*, QPrinter&) override { return false; }
    void previewPrint(QWidget*, QPrinter&, const PaintPages&) override {}
    std::optional<BookChoice> chooseBook(QWidget*, const BookChoice&) override {
        return std::nullopt;
    }
    SpellingAnswer checkSpelling(QWidget*, const SpellingRequest&) override { return {}; }
    bool openWithDesktop(const QString&) override { return false; }
    std::unique_ptr<Progress> showProgress(QWidget*, const ProgressRequest&) override {
        return nullptr;
    }
};

}  // namespace vellumora::test
