#pragma once

#include "core/Version.h"

// What the game says, whatever toolkit shows it. UTF-8.
namespace tilzo::words {

constexpr char WindowTitle[] = "Tilzo v" TILZO_VERSION;
constexpr char Title[] = "Tilzo"; // of the name prompt and the message boxes
constexpr char NameQuestion[] = "What is your name?";
constexpr char DefaultName[] = "Tilzo";
constexpr char RedrawFailed[] = "There was an error while redrawing the screen.";
constexpr char RedrawFailedTitle[] = "error";
// The colours of the tiles of codes 1 to 5, in words.
constexpr const char* ColourNames[] = {"red", "blue", "green", "yellow", "purple"};

} // namespace tilzo::words
