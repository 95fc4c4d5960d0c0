#include "shell/remembered.h"

#include "files/userplaces.h"

namespace vellumora::remembered {

namespace {

const QString kLastDataFile = QStringLiteral("Start/lastDataFile");
const QString kCopiesLeftAlone = QStringLiteral("Recovery/leftAlone");

}  // namespace

QString lastDataFile() {
    return files::Settings().value(kLastDataFile).toString();
}

void setLastDataFile(const QString& path) {
    files::Settings().setValue(kLastDataFile, path);
}

QStringList copiesLeftAlone() {
    return files::Settings().value(kCopiesLeftAlone).toStringList();
}

void setCopiesLeftAlone(const QStringList& names) {
    if (names.isEmpty())
        files::Settings().remove(kCopiesLeftAlone);
    else
        files::Settings().setValue(kCopiesLeftAlone, names);
}

}  // namespace vellumora::remembered
