#include "app/commandline.h"

#include "files/userplaces.h"

#include <QCommandLineParser>
#include <QGuiApplication>

namespace vellumora::commandline {

namespace {

// One parser describes the program for both phases, so its help text and its
// checks never disagree.
void describeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Write the story of your life for your family, one question at a time."));
    parser.addHelpOption();
    parser.addVersionOption();
}

}  // namespace

void describeProgram() {
    QCoreApplication::setApplicationName(files::kProgramName);
    QCoreApplication::setApplicationVersion(QStringLiteral(VELLUMORA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(VELLUMORA_APP_ID));
}

void answerInformationRequests(int argc, char* argv[]) {
    // A core application needs no window system; it gives the help text the
    // program's file name. --help-all, which lists the window system's own
    // options too, is left to checkArguments().
    const QCoreApplication probe(argc, argv);
    QCommandLineParser parser;
    describeOptions(parser);
    // Unknown options may still be the window system's (-platform, -style),
    // so they are not judged here.
    parser.parse(probe.arguments());
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp();
}

void checkArguments(const QCoreApplication& app) {
    QCommandLineParser parser;
    describeOptions(parser);
    parser.process(app);
}

}  // namespace vellumora::commandline
