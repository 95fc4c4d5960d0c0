#include "app/program.h"
#include "dialogs/qtdialogs.h"
#include "shell/artwork.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellumora"));
    QApplication::setApplicationVersion(QStringLiteral("2.1.1"));
    QApplication::setWindowIcon(vellumora::artwork::programPicture());
    // Screens are hidden and shown all the time; only an explicit exit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    vellumora::QtDialogs dialogs;
    vellumora::Program program(dialogs);
    program.start();
    return QApplication::exec();
}
