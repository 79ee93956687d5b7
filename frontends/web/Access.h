#pragma once

#include "Page.h"

namespace tilzo {

// What the page's own layer and its words read of the game (access.js, overlay.js): the game
// and page they read from main() on.
void attachAccess(frmMain& form, const Page& page);

} // namespace tilzo
