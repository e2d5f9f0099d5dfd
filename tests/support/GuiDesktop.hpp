#pragma once

#include "tests/support/KopflosesDesktop.hpp"

namespace parlix::test {

// The headless desktop (Xvfb with openbox) that the test program's QApplication runs
// on; started by the main of the folders that show windows.
KopflosesDesktop& guiDesktop();

} // namespace parlix::test
