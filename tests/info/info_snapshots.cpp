// Saves a PNG of every information page (client area) into a folder, so that
// clipped, overlapping or off-colour text can be seen. The credits window is
// drawn over a grey chequer with its star mask applied.
#include "app/program.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QScreen>
#include <QThread>

using namespace vellumora;

namespace {

QImage maskedOnChequer(QWidget* window) {
    QImage image(window->size(), QImage::Format_RGB32);
    QPainter painter(&image);
    for (int y = 0; y < image.height(); y += 10)
        for (int x = 0; x < image.width(); x += 10)
            painter.fillRect(x, y, 10, 10, (x + y) / 10 % 2 ? Qt::lightGray : Qt::gray);
    painter.setClipRegion(window->mask());
    painter.drawPixmap(0, 0, window->grab());
    return image;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    test::ScriptedDialogs dialogs;
    Program program(dialogs, [] {});
    program.start();
    for (const FixedScreen screen :
         {FixedScreen::Instructions, FixedScreen::About, FixedScreen::VersionHistory,
          FixedScreen::Distribution, FixedScreen::Warranty, FixedScreen::Shareware,
          FixedScreen::Credits}) {
        QWidget* window = program.screens().show(screen);
        QApplication::processEvents();
        const QString path = folder + u'/' + window->objectName() + QStringLiteral(".png");
        const bool saved = window->mask().isEmpty() ? window->grab().save(path)
                                                    : maskedOnChequer(window).save(path);
        if (!saved)
            return 1;
    }
    // Under a real X server this shows what the window system makes of the
    // star's mask: the credits window over the desktop, nothing else.
    QApplication::processEvents();
    QThread::msleep(300);
    QApplication::processEvents();
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    return screen.save(folder + QStringLiteral("/screen.png")) ? 0 : 1;
}
