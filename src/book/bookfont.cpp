#include "book/bookfont.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>

namespace vellumora::book {

namespace {

const QString kBookFace = QStringLiteral("Linux Libertine O");
// Where Debian's fonts-linuxlibertine puts the faces the book uses.
const QString kBookFaceFolder = QStringLiteral("/usr/share/fonts/opentype/linux-libertine");
const char* const kBookFaceFiles[] = {"LinLibertine_R.otf", "LinLibertine_RI.otf",
                                      "LinLibertine_RB.otf", "LinLibertine_RBI.otf"};
// Stand-ins, the first a dependency of the program's package.
const char* const kSerifFaces[] = {"Liberation Serif", "DejaVu Serif"};

bool loadBookFaceFiles() {
    bool loaded = false;
    for (const char* file : kBookFaceFiles)
        loaded = QFontDatabase::addApplicationFont(
                     QDir(kBookFaceFolder).filePath(QString::fromLatin1(file))) >= 0 ||
                 loaded;
    return loaded && QFontDatabase::hasFamily(kBookFace);
}

QString findFamily() {
    if (QFontDatabase::hasFamily(kBookFace) || loadBookFaceFiles())
        return kBookFace;
    for (const char* face : kSerifFaces)
        if (QFontDatabase::hasFamily(QString::fromLatin1(face)))
            return QString::fromLatin1(face);
    QFont serif;
    serif.setStyleHint(QFont::Serif);
    return QFontInfo(serif).family();
}

}  // namespace

QString bookFamily() {
    static const QString family = findFamily();
    return family;
}

bool hasBookFace() {
    return bookFamily() == kBookFace;
}

}  // namespace vellumora::book
