#pragma once

#include <QCoreApplication>

namespace vellumora::commandline {

/// Gives the program its name, version and desktop identity. Runs before the
/// application object exists, so that --help and --version can use them.
void describeProgram();

/// Answers --help and --version and ends the program, before any window
/// system is needed, so an installed copy can be checked on a machine
/// without a display. Other arguments are left to checkArguments().
/// Needs argc and argv as main() got them; no application object may exist.
void answerInformationRequests(int argc, char* argv[]);

/// Ends the program with a message if an argument is unknown. Runs after the
/// application object has taken the window system's own options away.
void checkArguments(const QCoreApplication& app);

}  // namespace vellumora::commandline
