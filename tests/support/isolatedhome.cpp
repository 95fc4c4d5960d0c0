// Built into every test: the test runs with settings and data folders of its
// own, empty at the start and removed at the end, so neither the machine's
// settings (a remembered zoom) nor her personal word list can change a
// result, and no test leaves anything behind.

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

namespace {

void isolateHome() {
    static QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
}

}  // namespace

Q_CONSTRUCTOR_FUNCTION(isolateHome)
