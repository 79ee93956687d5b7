#pragma once

#include "core/game/Game.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tilzo {

// A game in progress as a few lines of text, so that the page can keep it between visits:
// the board, the score, the end and its bonus, the undo snapshot, the board's number and
// the player's name.
std::string keptGame(const Game& game, std::uint32_t board, std::u32string_view playerName);

// What a kept game holds beside the game itself.
struct KeptFacts {
    std::uint32_t board = 0;
    std::string name; // UTF-8, as the prompt would have given it
};

// Puts a kept game back into game. The text may be damaged, foreign or from another
// version: unless it is a game keptGame writes and the rules can reach, the answer is
// nothing and game is untouched.
std::optional<KeptFacts> resumeGame(std::string_view text, Game& game);

} // namespace tilzo
