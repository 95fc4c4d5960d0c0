#include "scripteddialogs.h"

#include <QPrinter>
#include <QTest>

namespace vellumora::test {

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
    messages_.clear();
    prompts_.clear();
    openFiles_.clear();
    saveFiles_.clear();
    fonts_.clear();
    colors_.clear();
    prints_.clear();
}

void ScriptedDialogs::unexpected(const char* what) {
    QTest::qFail(qPrintable(QStringLiteral("unexpected %1: no answer was scripted").arg(what)),
                 __FILE__, __LINE__);
}

MessageButton ScriptedDialogs::message(QWidget*, const MessageRequest& request) {
    Request r{Kind::Message, request, {}, {}, {}, {}, {}};
    requests_.append(r);
    if (messages_.isEmpty()) {
        unexpected(qPrintable(QStringLiteral("message box \"%1\"").arg(request.text)));
        return request.buttons == MessageButtons::YesNoCancel ? MessageButton::Cancel
               : request.buttons == MessageButtons::YesNo     ? MessageButton::No
                                                              : MessageButton::Ok;
    }
    return messages_.dequeue();
}

std::optional<QString> ScriptedDialogs::prompt(QWidget*, const QString& title,
                                               const QString& label) {
    Request r{Kind::Prompt, {}, title, label, {}, {}, {}};
    requests_.append(r);
    if (prompts_.isEmpty()) {
        unexpected("text prompt");
        return std::nullopt;
    }
    return prompts_.dequeue();
}

std::optional<QString> ScriptedDialogs::openFile(QWidget*, const FileRequest& request) {
    Request r{Kind::OpenFile, {}, {}, {}, request, {}, {}};
    requests_.append(r);
    if (openFiles_.isEmpty()) {
        unexpected("open dialog");
        return std::nullopt;
    }
    return openFiles_.dequeue();
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget*, const FileRequest& request) {
    Request r{Kind::SaveFile, {}, {}, {}, request, {}, {}};
    requests_.append(r);
    if (saveFiles_.isEmpty()) {
        unexpected("save dialog");
        return std::nullopt;
    }
    return saveFiles_.dequeue();
}

std::optional<FontChoice> ScriptedDialogs::chooseFont(QWidget*, const FontChoice& initial) {
    Request r{Kind::Font, {}, {}, {}, {}, initial, {}};
    requests_.append(r);
    if (fonts_.isEmpty()) {
        unexpected("font dialog");
        return std::nullopt;
    }
    return fonts_.dequeue();
}

std::optional<QColor> ScriptedDialogs::chooseColor(QWidget*, const QColor& initial) {
    Request r{Kind::Color, {}, {}, {}, {}, {}, initial};
    requests_.append(r);
    if (colors_.isEmpty()) {
        unexpected("colour dialog");
        return std::nullopt;
    }
    return colors_.dequeue();
}

bool ScriptedDialogs::setUpPrinter(QWidget*, QPrinter& printer) {
    Request r{Kind::Print, {}, {}, {}, {}, {}, {}};
    requests_.append(r);
    if (prints_.isEmpty()) {
        unexpected("print dialog");
        return false;
    }
    const PrintAnswer answer = prints_.dequeue();
    if (answer.accept && !answer.pdfPath.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(answer.pdfPath);
    }
    return answer.accept;
}

}  // namespace vellumora::test
