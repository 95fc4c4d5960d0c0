#include "shell/remembered.h"

#include <QSettings>

namespace vellumora::remembered {

namespace {

const QString kLastDataFile = QStringLiteral("Start/lastDataFile");
const QString kCopiesLeftAlone = QStringLiteral("Recovery/leftAlone");

QSettings settings() {
    return QSettings(QSettings::UserScope, QStringLiteral("Vellumora"),
                     QStringLiteral("Vellumora"));
}

}  // namespace

QString lastDataFile() {
    return settings().value(kLastDataFile).toString();
}

void setLastDataFile(const QString& path) {
    settings().setValue(kLastDataFile, path);
}

QStringList copiesLeftAlone() {
    return settings().value(kCopiesLeftAlone).toStringList();
}

void setCopiesLeftAlone(const QStringList& names) {
    if (names.isEmpty())
        settings().remove(kCopiesLeftAlone);
    else
        settings().setValue(kCopiesLeftAlone, names);
}

}  // namespace vellumora::remembered
