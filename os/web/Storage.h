#pragma once

#include "os/Files.h"

#include <string>

namespace tilzo::os {

// The folder the browser keeps the player's files in: this site's local storage, seen as a
// folder in memory. Empty, with problem, when the browser refuses the page its storage.
Path browserStorage(std::string& problem);

} // namespace tilzo::os
