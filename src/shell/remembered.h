#pragma once

#include <QString>
#include <QStringList>

/// What the start of the program remembers from one run to the next, kept
/// in the program's settings.
namespace vellumora::remembered {

/// The data file her answers were last saved to or loaded from; empty when
/// none was.
QString lastDataFile();
void setLastDataFile(const QString& path);

/// The recovery folders, by name, that could not be deleted once she had
/// dealt with them: they are never offered again.
QStringList copiesLeftAlone();
void setCopiesLeftAlone(const QStringList& names);

}  // namespace vellumora::remembered
