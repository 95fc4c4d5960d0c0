#include "scripteddialogs.h"

#include <QPrinter>
#include <QTest>

namespace vellumora::test {

void compareWithExitQuestion(const MessageRequest& asked) {
    QCOMPARE(asked.title, QStringLiteral("Vellumora"));
    QCOMPARE(asked.text, QStringLiteral("Are you sure you want to exit?  Any information not "
                                        "saved TO A FILE will be lost."));
    QCOMPARE(asked.icon, MessageIcon::Warning);
    QCOMPARE(asked.buttons, MessageButtons::YesNo);
    QCOMPARE(asked.defaultButton, MessageButton::No);
}

int ScriptedDialogs::count(Kind kind) const {
    return int(std::count_if(requests_.begin(), requests_.end(),
                             [kind](const Request& r) { return r.kind == kind; }));
}

QList<MessageRequest> ScriptedDialogs::messages() const {
    QList<MessageRequest> result;
    for (const Request& r : requests_)
        if (r.kind == Kind::Message)
            result.append(r.message);
    return result;
}

bool ScriptedDialogs::allAnswersUsed() const {
    return messages_.isEmpty() && prompts_.isEmpty() && openFiles_.isEmpty() &&
           saveFiles_.isEmpty() && openImages_.isEmpty() && fonts_.isEmpty() && colors_.isEmpty() &&
           prints_.isEmpty() && previews_.isEmpty() && books_.isEmpty() && spellings_.isEmpty() &&
           progressCancels_.isEmpty();
}

void ScriptedDialogs::clear() {
    requests_.clear();
    progressValues_.clear();
    messages_.clear();
    prompts_.clear();
    openFiles_.clear();
    saveFiles_.clear();
    openImages_.clear();
    fonts_.clear();
    colors_.clear();
    prints_.clear();
    previews_.clear();
    books_.clear();
    spellings_.clear();
    progressCancels_.clear();
    progressReached_ = -1;
}

ScriptedDialogs::Request& ScriptedDialogs::record(Kind kind) {
    requests_.append(Request());
    requests_.last().kind = kind;
    return requests_.last();
}

void ScriptedDialogs::unexpected(const QString& what) {
    QTest::qFail(qPrintable(QStringLiteral("unexpected %1: no answer was scripted").arg(what)),
                 __FILE__, __LINE__);
}

MessageButton ScriptedDialogs::message(QWidget*, const MessageRequest& request) {
    record(Kind::Message).message = request;
    // Unscripted, a question gets its safest answer.
    return take(messages_, QStringLiteral("message box \"%1\"").arg(request.text),
                safestAnswer(request.buttons));
}

std::optional<QString> ScriptedDialogs::prompt(QWidget*, const QString& title,
                                               const QString& label) {
    Request& asked = record(Kind::Prompt);
    asked.title = title;
    asked.label = label;
    return take(prompts_, QStringLiteral("text prompt"), std::optional<QString>());
}

std::optional<QString> ScriptedDialogs::openImage(QWidget*, const ImageRequest& request) {
    record(Kind::OpenImage).image = request;
    return take(openImages_, QStringLiteral("picture dialog"), std::optional<QString>());
}

std::optional<QString> ScriptedDialogs::openFile(QWidget*, const FileRequest& request) {
    record(Kind::OpenFile).file = request;
    return take(openFiles_, QStringLiteral("open dialog"), std::optional<QString>());
}

// As the real dialog, a name scripted without an extension comes back with
// the request's default suffix.
std::optional<QString> ScriptedDialogs::saveFile(QWidget*, const FileRequest& request) {
    record(Kind::SaveFile).file = request;
    const std::optional<QString> typed =
        take(saveFiles_, QStringLiteral("save dialog"), std::optional<QString>());
    if (!typed)
        return typed;
    return withDefaultSuffix(*typed, request.defaultSuffix);
}

std::optional<FontChoice> ScriptedDialogs::chooseFont(QWidget*, const FontChoice& initial) {
    record(Kind::Font).font = initial;
    return take(fonts_, QStringLiteral("font dialog"), std::optional<FontChoice>());
}

std::optional<QColor> ScriptedDialogs::chooseColor(QWidget*, const QColor& initial) {
    record(Kind::Color).color = initial;
    return take(colors_, QStringLiteral("colour dialog"), std::optional<QColor>());
}

bool ScriptedDialogs::setUpPrinter(QWidget*, QPrinter& printer) {
    record(Kind::Print);
    const PrintAnswer answer =
        take(prints_, QStringLiteral("print dialog"), PrintAnswer{false, {}});
    if (answer.accept && !answer.pdfPath.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(answer.pdfPath);
    }
    return answer.accept;
}

void ScriptedDialogs::previewPrint(QWidget* parent, QPrinter& printer, const PaintPages& paint) {
    record(Kind::Preview);
    const QString pdfPath = take(previews_, QStringLiteral("print preview"), QString());
    if (pdfPath.isEmpty())
        return;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    paint(printer, parent);
}

std::optional<BookChoice> ScriptedDialogs::chooseBook(QWidget*, const BookChoice& initial) {
    record(Kind::Book).book = initial;
    return take(books_, QStringLiteral("book dialog"), std::optional<BookChoice>());
}

SpellingAnswer ScriptedDialogs::checkSpelling(QWidget*, const SpellingRequest& request) {
    record(Kind::Spelling).spelling = request;
    return take(spellings_, QStringLiteral("spelling check"), SpellingAnswer());
}

bool ScriptedDialogs::openWithDesktop(const QString& path) {
    record(Kind::OpenWithDesktop).opened = path;
    return true;
}

// Cancels once the task reaches the scripted point, and stays cancelled, as
// the real window does.
class ScriptedDialogs::ScriptedProgress final : public Progress {
public:
    ScriptedProgress(int& reached, QList<int>& values, std::optional<int> cancelAt)
        : reached_(reached), values_(values), cancelAt_(cancelAt) {}
    bool advance(int done) override {
        reached_ = std::max(reached_, done);
        values_.append(done);
        cancelled_ = cancelled_ || (cancelAt_ && done >= *cancelAt_);
        return !cancelled_;
    }

private:
    int& reached_;
    QList<int>& values_;
    std::optional<int> cancelAt_;
    bool cancelled_ = false;
};

std::unique_ptr<Progress> ScriptedDialogs::showProgress(QWidget*, const ProgressRequest& request) {
    record(Kind::Progress).progress = request;
    std::optional<int> cancelAt;
    if (!progressCancels_.isEmpty())
        cancelAt = progressCancels_.dequeue();
    return std::make_unique<ScriptedProgress>(progressReached_, progressValues_, cancelAt);
}

}  // namespace vellumora::test
