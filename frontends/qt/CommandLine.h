#pragma once

#include <optional>

namespace tilzo {

// Answers --help and --version and refuses what the game does not take, before any window
// or display is needed. Returns the exit status when the program should stop there; Qt's
// own options (-platform and the like) are left in argv for QApplication.
std::optional<int> handleCommandLine(int argc, char* argv[]);

} // namespace tilzo
