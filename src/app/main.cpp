#include "app/commandline.h"
#include "app/program.h"
#include "dialogs/qtdialogs.h"
#include "shell/artwork.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    vellumora::commandline::describeProgram();
    vellumora::commandline::answerInformationRequests(argc, argv);
    QApplication app(argc, argv);
    vellumora::commandline::checkArguments(app);
    QApplication::setWindowIcon(vellumora::artwork::programIconSet());
    // Screens are hidden and shown all the time; only an explicit exit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    vellumora::QtDialogs dialogs;
    vellumora::Program program(dialogs);
    program.keepRecoveryCopiesIn(vellumora::RecoveryPlaces::standard());
    program.start();
    return QApplication::exec();
}
