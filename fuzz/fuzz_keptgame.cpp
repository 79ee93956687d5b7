// Kept games are read as untrusted input: whatever the text, the reader refuses it and leaves the game as
// it was, or gives a game the rules can go on with, which keeps again unchanged.
#include "core/scores/CodePage.h"
#include "core/shell/KeptGame.h"
#include "tests/support/FuzzCheck.h"
#include "tests/support/Rows.h"

using namespace tilzo;
using support::equalGames;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Random random;
    Game game(random), again(random);
    game.NewGame();
    const Game before = game;
    const std::optional<KeptFacts> facts = resumeGame({reinterpret_cast<const char*>(data), size}, game);
    if (!facts) {
        FUZZ_CHECK(equalGames(game, before));
        return 0;
    }
    const std::optional<KeptFacts> kept
        = resumeGame(keptGame(game, facts->board, fromUtf8(facts->name)), again);
    FUZZ_CHECK(kept && kept->board == facts->board && kept->name == facts->name && equalGames(again, game));
    // The rules take it from there: a move where the input's length points, then its undo.
    game.Play(static_cast<int>(size % BoardSize), static_cast<int>(size / BoardSize % BoardSize));
    game.RestoreUndo();
    return 0;
}
