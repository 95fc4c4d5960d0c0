#include "app/desktop.h"

int main(int argc, char* argv[]) {
    return vellumora::runOnDesktop(argc, argv);
}
