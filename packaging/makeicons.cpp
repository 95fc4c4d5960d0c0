// Writes the program's icon for the desktop: one SVG and a PNG per size, all
// drawn by the program's own artwork code, so the desktop and the program
// show the same picture.
//
//   makeicons <output folder> <name> <size>...
//
// writes <folder>/<name>.svg and <folder>/<size>/<name>.png for every size.

#include "shell/artwork.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <cstdio>

namespace {

QByteArray svgDrawing() {
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle(QStringLiteral("Vellumora"));
    svg.setDescription(QStringLiteral("An open book with a tree of hearts growing from it"));
    QPainter painter(&svg);
    vellumora::artwork::drawProgramIcon(painter, 256);
    painter.end();
    // The generator states the size in millimetres; an icon's is in pixels.
    // It also repeats a font on every group, which an icon without text does
    // not need (and without an application object that font is invalid).
    static const QRegularExpression size(QStringLiteral(R"(width="[^"]*" height="[^"]*")"));
    static const QRegularExpression font(QStringLiteral(R"(\s+font-[a-z]+="[^"]*")"));
    return QString::fromUtf8(buffer.data())
        .replace(size, QStringLiteral(R"(width="256" height="256")"))
        .remove(font)
        .toUtf8();
}

bool writeSvg(const QString& path) {
    const QByteArray drawing = svgDrawing();
    QFile file(path);
    return !drawing.isEmpty() && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(drawing) == drawing.size() && file.flush();
}

bool writePng(const QString& folder, const QString& name, int pixels) {
    const QString sizeFolder = folder + QStringLiteral("/%1").arg(pixels);
    return QDir().mkpath(sizeFolder) &&
           vellumora::artwork::programIcon(pixels).save(sizeFolder + '/' + name + ".png", "PNG");
}

bool fail(const QString& what) {
    std::fprintf(stderr, "makeicons: cannot write %s\n", qPrintable(what));
    return false;
}

}  // namespace

// Drawing into images and SVG needs no window system, so no application
// object is made: the tool then runs on a build machine without a display.
int main(int argc, char* argv[]) {
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: makeicons <output folder> <name> <size>...\n");
        return 2;
    }
    const QString folder = args[1], name = args[2];
    bool written = QDir().mkpath(folder) && writeSvg(folder + '/' + name + ".svg");
    if (!written)
        fail(folder + '/' + name + ".svg");
    for (const QString& size : args.mid(3)) {
        bool ok = false;
        const int pixels = size.toInt(&ok);
        if (!ok || pixels < 1 || pixels > 1024 || !writePng(folder, name, pixels))
            written = fail(QStringLiteral("a %1 pixel PNG").arg(size));
    }
    return written ? 0 : 1;
}
