#pragma once

#include <functional>

namespace vellumora {

/**
 * The program as the desktop starts it: answers --help and --version, checks
 * the other arguments, shows the splash screen with the platform's own
 * dialogs, keeps recovery copies of her work, and runs until the program
 * ends. afterStart, when given, runs once the first screen is shown and
 * before the event loop starts; the start-up benchmark quits there.
 * Returns the exit code.
 */
int runOnDesktop(int argc, char* argv[], const std::function<void()>& afterStart = {});

}  // namespace vellumora
