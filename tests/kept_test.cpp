// A kept game comes back whole; a kept text that is damaged, foreign or older, or holds what the rules can
// never reach, is never trusted and changes nothing.
#include "core/shell/KeptGame.h"
#include "tests/support/Rows.h"

#include <gtest/gtest.h>

#include <functional>

namespace tilzo {
namespace {

using support::Rows;

struct Kept : ::testing::Test {
    // The text kept of game once edit has changed it, and whether it came back.
    bool resumed(const std::function<void(Game&, std::string&)>& edit)
    {
        Game kept = game;
        std::string text;
        edit(kept, text);
        if (text.empty())
            text = keptGame(kept, 42, U"Ann");
        const Game before = fresh;
        const bool back = resumeGame(text, fresh).has_value();
        EXPECT_TRUE(back || support::equalGames(fresh, before));
        return back;
    }
    Random random;
    Game game{random};
    Game fresh{random};
};

TEST_F(Kept, AGameInPlayOrFinishedComesBackWithItsUndoNumberAndName)
{
    fresh.NewGame();
    support::setBoard(game, {"2", "311", "3322"});
    game.Points = 40;
    for (const auto& [column, row] : {std::pair(1, 14), std::pair(0, 15), std::pair(1, 15)}) {
        game.Play(column, row);
        const auto facts = resumeGame(keptGame(game, 123456789, U"Zoë Łukasz  "), fresh);
        ASSERT_TRUE(facts);
        EXPECT_EQ(std::tuple(facts->board, facts->name), std::tuple(123456789, "Zoë Łukasz"));
        EXPECT_TRUE(support::equalGames(fresh, game));
    }
    EXPECT_EQ(std::tuple(fresh.GameOver, fresh.Bonus), std::tuple(true, 5 * ClearBonus));
}

TEST_F(Kept, ADamagedForeignOrImpossibleGameIsIgnored)
{
    support::setBoard(game, {"2", "311", "3322"});
    game.Play(1, 14);
    EXPECT_TRUE(resumed([](Game&, std::string&) {}));
    const std::function<void(Game&, std::string&)> damaged[] = {
        [](Game& g, std::string& text) { text = keptGame(g, 42, U"Ann").erase(200, 1); }, // a cell short
        [](Game& g, std::string& text) { text = keptGame(g, 42, U"Ann") + "more\n"; },
        [](Game& g, std::string& text) { text = "Tilzo game 0" + keptGame(g, 42, U"Ann").substr(12); },
        [](Game&, std::string& text) { text = "\xff\xfe garbage"; },
        [](Game& g, std::string& text) { text = keptGame(g, 0, U"Ann"); }, // no such board
        [](Game& g, std::string& text) { text = keptGame(g, 42, U"Ann\x01"); },
        [](Game& g, std::string&) { g.Map[0][15] = 6; }, // on a block, so only its colour is wrong
        [](Game& g, std::string&) { g.Map[0][14] = 0; }, // a block above a hole
        [](Game& g, std::string&) { std::swap(g.Map[0], g.Map[15]); }, // an empty column left of a filled one
        [](Game& g, std::string&) { g.UndoMap[0][14] = 0; }, // and in the undo snapshot
        [](Game& g, std::string&) { g.Points = -5; },
        [](Game& g, std::string&) { g.UndoPoints = g.Points + 5; }, // undo gives points back
        [](Game& g, std::string&) { g.Bonus = ClearBonus; }, // a bonus while the game runs
        [](Game& g, std::string&) { g.GameOver = true; }, // the end without its bonus
    };
    for (const auto& damage : damaged)
        EXPECT_FALSE(resumed(damage)) << &damage - damaged;
}

} // namespace
} // namespace tilzo
