#include "files/userplaces.h"

#include <QDir>
#include <QStandardPaths>

namespace vellumora::files {

// The organisation's own file (Vellumora.conf) is QSettings' fallback for a
// key the application's file lacks, which reads the older zoom file for free.
Settings::Settings()
    : QSettings(QSettings::NativeFormat, QSettings::UserScope, kProgramName, kProgramName) {}

QString documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

QString existingDocumentsFolder() {
    const QString documents = documentsFolder();
    return QDir(documents).exists() ? documents : QDir::homePath();
}

}  // namespace vellumora::files
