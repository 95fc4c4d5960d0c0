#include "info/infotexts.h"

#include <QStringList>

namespace vellumora::infotexts {

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

QString lines(const QStringList& list) {
    return list.join(kLineBreak);
}

}  // namespace

QString instructionsIntro() {
    return QStringLiteral(
        "Vellumora is one of a small family of programs made to help you keep your family's "
        "history, this one by asking about your own life.  "
        "Some questions are supplied, but others may be added in the text editing area.  "
        "NOTE:  All of the questions, including the ones you haven't answered, appear on the text "
        "editing page.  This is to remind you in case you accidentally forgot to answer one.");
}

QString instructionsAdvice() {
    return QStringLiteral(
        "Take your time.  There is no hurry: answer one question a day, or one a week, whatever "
        "suits you.  Be honest and tell the whole story, the small details too, and think of the "
        "people who will one day read it.  If you don't want to answer a certain question, don't.  "
        "Also add any questions you wish you were asked but weren't.");
}

QString instructionsFeedback() {
    return lines({QStringLiteral("We would love to hear what you think.  Please write to us at:"),
                  QStringLiteral("feedback@example.org")});
}

QString contactBlock() {
    return lines({
        QStringLiteral("Sam Example"),
        QStringLiteral("Example Family Software"),
        QStringLiteral("123 Example Lane"),
        QStringLiteral("Exampleton, EX 00000"),
        QStringLiteral("vellumora@example.org"),
        QStringLiteral("www.example.org/vellumora"),
    });
}

// Every line, the last included, ends with a line break, and each version's
// block with an empty line: the text therefore ends with two line breaks.
QString versionHistory() {
    static const char* const kLines[] = {
        "Version 2.0:",
        "- Added text editing capabilities.",
        "",
        "Version 2.1:",
        "- Fixed text editor resizing problem.",
        "- Added ability to reload previously saved data.",
        "",
        "Version 2.1.1:",
        "- Made changes to stress need to save to a file.",
        "",
    };
    QString text;
    for (const char* line : kLines)
        text += QString::fromLatin1(line) + kLineBreak;
    return text;
}

QString dedication() {
    return lines({QStringLiteral("For everyone"), QStringLiteral("who will read"),
                  QStringLiteral("your story")});
}

QString distributionTerms() {
    return QStringLiteral(
        "You are welcome to give copies of Vellumora to your family and friends, as long as the "
        "program is passed on whole and unchanged, with all of its files, and nobody is charged "
        "for it beyond the cost of the disk or download.  Please do not sell it, rename it or "
        "bundle it with other products without asking first.  Your own answers and the documents "
        "you make with the program belong to you alone.");
}

QString distributionContact() {
    return QStringLiteral("Questions about sharing copies?  Write to vellumora@example.org.");
}

QString warrantyPart1() {
    return QStringLiteral(
        "Vellumora is offered as it is, without any warranty of any kind, whether stated or "
        "implied, including any promise that it will suit a particular purpose or be free of "
        "errors.");
}

QString warrantyPart2() {
    return QStringLiteral(
        "The makers of Vellumora are not liable for any loss or damage that comes from using it "
        "or from being unable to use it, including lost answers, lost documents or lost time, "
        "even if they were told that such a loss could happen.");
}

QString warrantyPart3() {
    return QStringLiteral(
        "Your story matters, so please save it to a file often and keep a copy of those files "
        "in a safe place.  By using the program you accept these terms.");
}

QString sharewarePart1() {
    return QStringLiteral(
        "Shareware is a way of handing programs from person to person: you may try a program "
        "before you decide whether it is worth keeping.  Copies are passed on freely, by disk, "
        "by download or from one friend to another, and nobody has to buy anything first.");
}

QString sharewarePart2() {
    return QStringLiteral(
        "If you find that a shareware program is useful to you, the people who made it ask you "
        "to support them in the way the program describes.  That support is what lets small "
        "makers keep improving their programs and write new ones.  If the program is not for "
        "you, simply stop using it and delete it.");
}

}  // namespace vellumora::infotexts
