#pragma once

#include <QSettings>
#include <QString>

namespace vellumora::files {

/// The name the program's settings and data are kept under, as organisation
/// and as application alike.
inline const QString kProgramName = QStringLiteral("Vellumora");

/**
 * The program's settings: one file, Vellumora/Vellumora.conf in the user's
 * settings folder, holding every choice remembered from one run to the next.
 * A key this file lacks is read from Vellumora.conf beside the folder, where
 * earlier versions kept the zoom; what is set goes to the one file.
 */
class Settings : public QSettings {
public:
    Settings();
};

/// The folder her documents go to when no other is known: the system's
/// Documents folder, which need not exist yet, or her home folder when the
/// system names none.
QString documentsFolder();
/// The documents folder when it exists, else her home folder: where a file
/// dialog starts and a new file is proposed.
QString existingDocumentsFolder();

}  // namespace vellumora::files
