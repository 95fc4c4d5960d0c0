// Writes the Debian copyright file from the terms the program itself shows on
// its distribution and warranty pages, so the package and the program never
// state different terms.
//
//   makecopyright <output file>

#include "info/infotexts.h"

#include <QFile>
#include <QStringList>

#include <cstdio>

namespace {

const char kHeader[] =
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
    "Upstream-Name: Vellumora\n"
    "Upstream-Contact: Vellumora developers <vellumora@example.org>\n"
    "Source: https://example.org/vellumora\n"
    "\n"
    "Files: *\n"
    "Copyright: 2026 Example Family Software\n"
    "License: Vellumora\n";

constexpr int kWidth = 78;

// A field's continuation lines start with a blank; an empty line is " .".
// Sentences keep their two blanks unless a line ends between them.
QString wrapped(const QString& paragraph) {
    QString text, line;
    for (const QString& word : paragraph.split(QLatin1Char(' '))) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > kWidth) {
            text += line.trimmed().prepend(QLatin1Char(' ')) + QLatin1Char('\n');
            line.clear();
        }
        if (line.isEmpty() && word.isEmpty())
            continue;
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return text + line.trimmed().prepend(QLatin1Char(' ')) + QLatin1Char('\n');
}

QString licenceText() {
    namespace texts = vellumora::infotexts;
    const QStringList paragraphs = {texts::distributionTerms(), texts::distributionContact(),
                                    texts::warrantyPart1(), texts::warrantyPart2(),
                                    texts::warrantyPart3()};
    QStringList blocks;
    for (const QString& paragraph : paragraphs)
        blocks << wrapped(paragraph);
    return blocks.join(QStringLiteral(" .\n"));
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: makecopyright <output file>\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    const QByteArray text = kHeader + licenceText().toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() ||
        !file.flush()) {
        std::fprintf(stderr, "makecopyright: cannot write %s: %s\n", argv[1],
                     qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
