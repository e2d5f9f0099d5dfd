#pragma once

#include "tests/support/KopflosesDesktop.hpp"

namespace parlix::test {

// The headless desktop that a desktop test program starts before its QApplication (the
// clipboard and the accessibility library are bound to one display for the life of the
// process). Only in the test folders listed in PARLIX_DESKTOP_ORDNER.
KopflosesDesktop& prozessDesktop();

// For the main of such a program.
void setzeProzessDesktop(KopflosesDesktop& desktop);

} // namespace parlix::test
