#include "app/desktop.h"

#include "app/commandline.h"
#include "app/program.h"
#include "dialogs/qtdialogs.h"
#include "shell/artwork.h"

#include <QApplication>

namespace vellumora {

int runOnDesktop(int argc, char* argv[], const std::function<void()>& afterStart) {
    commandline::describeProgram();
    commandline::answerInformationRequests(argc, argv);
    QApplication app(argc, argv);
    commandline::checkArguments(app);
    QApplication::setWindowIcon(artwork::programIconSet());
    // Screens are hidden and shown all the time; only an explicit exit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    QtDialogs dialogs;
    Program program(dialogs);
    program.keepRecoveryCopiesIn(RecoveryPlaces::standard());
    program.start();
    if (afterStart)
        afterStart();
    return QApplication::exec();
}

}  // namespace vellumora
