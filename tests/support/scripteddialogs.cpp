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
           saveFiles_.isEmpty() && fonts_.isEmpty() && colors_.isEmpty() && prints_.isEmpty();
}

void ScriptedDialogs::clear() {
    requests_.clear();
    progressValues_->clear();
    messages_.clear();
    prompts_.clear();
    openFiles_.clear();
    saveFiles_.clear();
    fonts_.clear();
    colors_.clear();
    prints_.clear();
}

void ScriptedDialogs::unexpected(const QString& what) {
    QTest::qFail(qPrintable(QStringLiteral("unexpected %1: no answer was scripted").arg(what)),
                 __FILE__, __LINE__);
}

MessageButton ScriptedDialogs::message(QWidget*, const MessageRequest& request) {
    requests_.append({Kind::Message, request, {}, {}, {}, {}, {}, {}});
    // Unscripted, a question gets its safest answer.
    return take(messages_, QStringLiteral("message box \"%1\"").arg(request.text),
                safestAnswer(request.buttons));
}

std::optional<QString> ScriptedDialogs::prompt(QWidget*, const QString& title,
                                               const QString& label) {
    requests_.append({Kind::Prompt, {}, title, label, {}, {}, {}, {}});
    return take(prompts_, QStringLiteral("text prompt"), std::optional<QString>());
}

std::optional<QString> ScriptedDialogs::openFile(QWidget*, const FileRequest& request) {
    requests_.append({Kind::OpenFile, {}, {}, {}, {}, request, {}, {}});
    return take(openFiles_, QStringLiteral("open dialog"), std::optional<QString>());
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget*, const FileRequest& request) {
    requests_.append({Kind::SaveFile, {}, {}, {}, {}, request, {}, {}});
    return take(saveFiles_, QStringLiteral("save dialog"), std::optional<QString>());
}

std::optional<FontChoice> ScriptedDialogs::chooseFont(QWidget*, const FontChoice& initial) {
    requests_.append({Kind::Font, {}, {}, {}, {}, {}, initial, {}});
    return take(fonts_, QStringLiteral("font dialog"), std::optional<FontChoice>());
}

std::optional<QColor> ScriptedDialogs::chooseColor(QWidget*, const QColor& initial) {
    requests_.append({Kind::Color, {}, {}, {}, {}, {}, {}, initial});
    return take(colors_, QStringLiteral("colour dialog"), std::optional<QColor>());
}

bool ScriptedDialogs::setUpPrinter(QWidget*, QPrinter& printer) {
    requests_.append({Kind::Print, {}, {}, {}, {}, {}, {}, {}});
    const PrintAnswer answer =
        take(prints_, QStringLiteral("print dialog"), PrintAnswer{false, {}});
    if (answer.accept && !answer.pdfPath.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(answer.pdfPath);
    }
    return answer.accept;
}

}  // namespace vellumora::test

namespace vellumora::test {

namespace {

class RecordedProgress final : public Progress {
public:
    explicit RecordedProgress(std::shared_ptr<QList<int>> values) : values_(std::move(values)) {}
    void setValue(int value) override { values_->append(value); }

private:
    std::shared_ptr<QList<int>> values_;
};

}  // namespace

std::unique_ptr<Progress> ScriptedDialogs::progress(QWidget*, const QString& title,
                                                    const QString& label, int maximum) {
    Request request{Kind::Progress, {}, title, label, maximum, {}, {}, {}};
    requests_.append(request);
    return std::make_unique<RecordedProgress>(progressValues_);
}

}  // namespace vellumora::test
