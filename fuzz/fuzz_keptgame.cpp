// Kept games are read as untrusted input: whatever the text, the reader refuses it and leaves the game as
// it was, or gives a game the rules can go on with, which keeps again as the same game.
#include "core/scores/CodePage.h"
#include "core/shell/KeptGame.h"
#include "tests/support/FuzzCheck.h"

#include <cstring>

namespace {

using namespace tilzo;

bool same(const Game& a, const Game& b)
{
    return std::memcmp(a.Map, b.Map, sizeof a.Map) == 0
           && std::memcmp(a.UndoMap, b.UndoMap, sizeof a.UndoMap) == 0 && a.Points == b.Points
           && a.Bonus == b.Bonus && a.GameOver == b.GameOver && a.UndoSaved() == b.UndoSaved()
           && a.UndoPoints == b.UndoPoints;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Random random;
    Game game(random), again(random);
    game.NewGame();
    const Game before = game;
    const std::optional<KeptFacts> facts = resumeGame({reinterpret_cast<const char*>(data), size}, game);
    if (!facts) {
        FUZZ_CHECK(same(game, before));
        return 0;
    }
    const std::optional<KeptFacts> kept
        = resumeGame(keptGame(game, facts->board, fromUtf8(facts->name)), again);
    FUZZ_CHECK(kept && kept->board == facts->board && kept->name == facts->name && same(again, game));
    // The rules take it from there: a move where the input's length points, then its undo.
    game.Play(static_cast<int>(size % BoardSize), static_cast<int>(size / BoardSize % BoardSize));
    game.RestoreUndo();
    return 0;
}
