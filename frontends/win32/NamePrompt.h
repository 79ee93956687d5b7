#pragma once

#include <windows.h>

#include <string>

namespace tilzo {

// The modal name prompt from the program's resources: the confirmed text (UTF-8), or an
// empty text on Cancel.
std::string askPlayerName(HINSTANCE instance);

} // namespace tilzo
