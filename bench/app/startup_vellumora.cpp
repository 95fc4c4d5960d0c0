// The program started as its main() starts it, quitting once the event loop
// has shown the first screen.

#include "app/commandline.h"
#include "app/program.h"
#include "dialogs/qtdialogs.h"
#include "shell/artwork.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[]) {
    vellumora::commandline::describeProgram();
    QApplication app(argc, argv);
    QApplication::setWindowIcon(vellumora::artwork::programIconSet());
    QApplication::setQuitOnLastWindowClosed(false);

    vellumora::QtDialogs dialogs;
    vellumora::Program program(dialogs);
    program.keepRecoveryCopiesIn(vellumora::RecoveryPlaces::standard());
    program.start();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
