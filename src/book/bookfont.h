#pragma once

#include <QString>

namespace vellumora::book {

/**
 * The family the book is set in: Linux Libertine, a book face whose
 * regular, italic and bold carry accented Latin, Greek and Cyrillic letters.
 * It is taken from the system's fonts by name, else loaded from the files its
 * Debian package installs; without either, a serif face the system has.
 */
QString bookFamily();

/// True when the book face itself was found, not a stand-in.
bool hasBookFace();

}  // namespace vellumora::book
