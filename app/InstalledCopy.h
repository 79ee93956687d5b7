#pragma once

#include <QString>

namespace tilzo {

// The id the desktop entry and the metainfo are installed under.
inline constexpr char AppId[] = "org.tilzo.Tilzo";

// True when programDir is the bin or games folder of a prefix the game is installed
// in, that is one whose share/ holds its desktop entry (after cmake --install, or
// from the package). Such a copy keeps no data beside itself.
bool isInstalledCopy(const QString& programDir);

} // namespace tilzo
