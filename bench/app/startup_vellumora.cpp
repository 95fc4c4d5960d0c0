// The program started as its main() starts it, quitting once the event loop
// has shown the first screen.

#include "app/desktop.h"

#include <QCoreApplication>
#include <QTimer>

int main(int argc, char* argv[]) {
    return vellumora::runOnDesktop(argc, argv, [] {
        QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
    });
}
