#pragma once

#include "dialogs/dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <memory>
#include <variant>

namespace vellumora::test {

/**
 * A Dialogs double for the tests: every request is recorded, every answer
 * comes from a queue the test filled beforehand. A request with no answer
 * queued fails the running test (and answers as if cancelled), so a test
 * never hangs on a dialog it did not expect.
 */
/// Checks that a request is the exit confirmation, word for word, with its
/// warning icon, Yes and No, and No as the default. Callers stop when
/// QTest::currentTestFailed().
void compareWithExitQuestion(const MessageRequest& asked);

class ScriptedDialogs final : public Dialogs {
public:
    enum class Kind {
        Message,
        Prompt,
        OpenFile,
        SaveFile,
        OpenImage,
        Font,
        Color,
        Print,
        Preview,
        Book,
        Spelling,
        OpenWithDesktop,
        Progress
    };

    /// One recorded request.
    struct Request {
        Kind kind = Kind::Message;
        MessageRequest message;    ///< for Kind::Message
        QString title, label;      ///< for Kind::Prompt
        FileRequest file;          ///< for the file dialogs
        ImageRequest image;        ///< for Kind::OpenImage
        FontChoice font;           ///< for Kind::Font
        QColor color;              ///< for Kind::Color
        BookChoice book;           ///< for Kind::Book, what the dialog started from
        SpellingRequest spelling;  ///< for Kind::Spelling
        ProgressRequest progress;  ///< for Kind::Progress
        QString opened;            ///< for Kind::OpenWithDesktop: the file, which is not opened
    };

    // Answers, consumed in order by the next request of their kind.
    void answerMessage(MessageButton button) { messages_.enqueue(button); }
    void answerPrompt(std::optional<QString> text) { prompts_.enqueue(text); }
    void answerOpenFile(std::optional<QString> path) { openFiles_.enqueue(path); }
    /// A path without an extension comes back with the request's default
    /// suffix, as from the real dialog.
    void answerSaveFile(std::optional<QString> path) { saveFiles_.enqueue(path); }
    void answerOpenImage(std::optional<QString> path) { openImages_.enqueue(path); }
    void answerFont(std::optional<FontChoice> font) { fonts_.enqueue(font); }
    void answerColor(std::optional<QColor> color) { colors_.enqueue(color); }
    /// For the print dialog: true accepts; the printer may be redirected to a
    /// PDF file so that a test can look at what was printed.
    void answerPrint(bool accept, const QString& pdfPath = {}) {
        prints_.enqueue({accept, pdfPath});
    }
    /// For the print preview: the printer is redirected to a PDF file and
    /// painted once, so that a test can look at what the preview showed.
    void answerPreview(const QString& pdfPath) { previews_.enqueue(pdfPath); }
    void answerBook(std::optional<BookChoice> choice) { books_.enqueue(choice); }
    void answerSpelling(SpellingAction action, const QString& replacement = {}) {
        spellings_.enqueue({action, replacement});
    }
    /// A progress window asks nothing, so none needs an answer: unscripted,
    /// it runs to the end. This makes the next one report a cancel once the
    /// task has reached `done`.
    void cancelProgressAt(int done) { progressCancels_.enqueue(done); }
    /// The furthest any progress window got, -1 before the first.
    int progressReached() const { return progressReached_; }

    const QList<Request>& requests() const { return requests_; }
    int count(Kind kind) const;
    /// The message requests only, in order.
    QList<MessageRequest> messages() const;
    /// Every value the progress windows were moved to, in order.
    const QList<int>& progressValues() const { return progressValues_; }
    /// True when every queued answer was used.
    bool allAnswersUsed() const;
    void clear();

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
    struct PrintAnswer {
        bool accept;
        QString pdfPath;
    };
    class ScriptedProgress;
    Request& record(Kind kind);
    void unexpected(const QString& what);
    /// The next scripted answer, or the fallback (and a test failure) when none is left.
    template <typename T>
    T take(QQueue<T>& answers, const QString& what, T fallback) {
        if (answers.isEmpty()) {
            unexpected(what);
            return fallback;
        }
        return answers.dequeue();
    }

    QList<Request> requests_;
    QQueue<MessageButton> messages_;
    QQueue<std::optional<QString>> prompts_, openFiles_, saveFiles_, openImages_;
    QQueue<std::optional<FontChoice>> fonts_;
    QQueue<std::optional<QColor>> colors_;
    QQueue<PrintAnswer> prints_;
    QQueue<QString> previews_;
    QQueue<std::optional<BookChoice>> books_;
    QQueue<SpellingAnswer> spellings_;
    QQueue<int> progressCancels_;
    int progressReached_ = -1;
    QList<int> progressValues_;
};

}  // namespace vellumora::test
