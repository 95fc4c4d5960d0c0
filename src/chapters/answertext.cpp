#include "chapters/answertext.h"

namespace vellumora::answertext {

QString toBox(const QString& stored) {
    QString text = stored;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QString toStore(const QString& boxText) {
    QString text;
    text.reserve(boxText.size() + boxText.size() / 16);
    for (const QChar ch : boxText) {
        if (ch == u'\n' || ch == QChar::LineSeparator || ch == QChar::ParagraphSeparator)
            text += QStringLiteral("\r\n");
        else
            text += ch;
    }
    return text;
}

}  // namespace vellumora::answertext
