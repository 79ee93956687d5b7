// The window's handlers and the move sequence, driven through the core with a front end
// of the test's own: the same code both builds run.
#include "core/render/Frame.h"
#include "core/shell/frmMain.h"
#include "tests/support/Rows.h"
#include "tests/support/ScoreFileCheck.h"

#include <gtest/gtest.h>

namespace tilzo {
namespace {

using support::boardRows;
using support::fullRows;
using support::Rows;
using support::setBoard;

struct TestFrontend : Frontend {
    std::string askName() override
    {
        onAsk();
        return "  \tAnn" + std::string(13, 'x') + "\tcut off";
    }
    void showError(const std::string& text, const std::string& title) override
    {
        boxes.push_back(title + ": " + text);
    }
    std::string bitmapBits(Bitmap bitmap) override
    {
        return support::readFile(TILZO_SOURCE_DIR "/assets/" + std::to_string(bitmap) + ".bmp").substr(14);
    }
    void fitPictureBox() override { }
    void present(const Surface&) override { ++frames; }
    void quit() override { ++quits; }

    std::function<void()> onAsk = [] {};
    std::vector<std::string> boxes; // "title: text"
    int frames = 0;
    int quits = 0;
};

// The answer cut to 20 characters, then trimmed of spaces only, then padded with them.
const std::string Stored = "\tAnn" + std::string(13, 'x') + "\t  ";
// Two 1s in row 13 with blocks above them that fall, and 4s whose columns close up.
const Rows Ordinary = {"1", "2", "11", "23", "1145..........44"};

struct Shell : ::testing::Test {
    void start() { form.Form_Load(); }
    void press(int column, int row, int button = LeftButton)
    {
        form.picBox_MouseDown(button, ShiftMask, 62 + 16 * column, 62 + 16 * row);
    }
    void key(int code, int shift = 0)
    {
        form.Form_KeyDown(code);
        form.Form_KeyUp(code, shift);
    }
    std::string scoreBytes() const { return support::readFile(folder.path / "high.dat"); }
    Game& game() { return form.game; }

    support::TempFolder folder;
    Random random;
    TestFrontend frontend;
    frmMain form{frontend, random, {folder.path, {}, {}, true}};
};

TEST_F(Shell, StartUpAsksTheNameBeforeItLoadsTheTableOrDeals)
{
    frontend.onAsk = [&] {
        EXPECT_FALSE(std::filesystem::exists(folder.path / "high.dat"));
        EXPECT_FALSE(form.Initialized);
        EXPECT_EQ(game().Map[0][0], 0);
    };
    start();
    EXPECT_EQ(scoreBytes(), ""); // created empty
    EXPECT_NE(game().Map[15][15], 0);
}

TEST_F(Shell, TheNameIsCutTo20CharactersThenTrimmedOfSpacesOnly)
{
    start();
    EXPECT_EQ(nameBytes(form.PlayerName), nameBytes(fromUtf8(Stored)));
}

TEST_F(Shell, NothingIsPresentedBeforeStartUpThenStartUpAndEachResizePresentOneFrame)
{
    form.blt();
    EXPECT_EQ(frontend.frames, 0);
    start();
    EXPECT_EQ(frontend.frames, 1);
    form.Form_Resize();
    EXPECT_EQ(frontend.frames, 2);
}

TEST_F(Shell, AFrameThatCannotBeDrawnShowsABoxEachTimeAndPresentsNothing)
{
    start();
    form.graphics.BackBuffer.release();
    form.picBox_Paint();
    press(0, 0, RightButton);
    EXPECT_EQ(frontend.frames, 1);
    EXPECT_EQ(frontend.boxes,
              std::vector<std::string>(2, "error: There was an error while redrawing the screen."));
}

TEST_F(Shell, EachRunIsSeededFromTheClockBeforeItsFirstDeal)
{
    start();
    Random other;
    frmMain second(frontend, other, {folder.path, {}, {}, true});
    second.Form_Load();
    EXPECT_NE(boardRows(second.game), boardRows(game()));
}

TEST_F(Shell, EveryPressPresentsOneFrameAndOnlyTheWrittenBoardAreaMakesMoves)
{
    start();
    // frame pixel, the cell of the one pair on the board, whether the press takes it
    const std::tuple<Point, Point, bool> cases[]
        = {{{55, 55}, {0, 0}, true},     {{70, 55}, {1, 0}, true},    {{69, 55}, {1, 0}, false},
           {{307, 306}, {15, 15}, true}, {{54, 60}, {0, 0}, false},   {{60, 54}, {0, 0}, false},
           {{308, 60}, {15, 0}, false},  {{309, 60}, {15, 0}, false}, {{60, 307}, {0, 15}, false},
           {{55, 69}, {0, 0}, true}};
    for (const auto& [pixel, cell, moves] : cases) {
        for (int i = 0; i < BoardSize * BoardSize; ++i)
            game().Map[i / 16][i % 16] = std::uint8_t(1 + (i / 16 + i) % 2);
        const int pair = cell.x == 15 ? 14 : cell.x + 1;
        game().Map[cell.x][cell.y] = 3;
        game().Map[pair][cell.y] = 3;
        game().Map[7][7] = 4; // the game goes on
        game().Map[7][8] = 4;
        game().Points = 0;
        const int frames = frontend.frames;
        form.picBox_MouseDown(LeftButton, 0, pixel.x, pixel.y);
        EXPECT_EQ(frontend.frames, frames + 1);
        EXPECT_EQ(game().Points == 10, moves) << pixel.x << "," << pixel.y;
    }
}

TEST_F(Shell, OnlyALeftPressOnABlockMakesAMove)
{
    start();
    setBoard(game(), Ordinary);
    press(0, 13, MiddleButton);
    press(5, 5); // empty
    EXPECT_EQ(boardRows(game()), fullRows(Ordinary));
    press(1, 13);
    EXPECT_EQ(boardRows(game()), fullRows({"1", "2", "23", "114544"}));
}

TEST_F(Shell, ARightPressAnywhereTakesTheMoveBack)
{
    start();
    setBoard(game(), Ordinary);
    press(1, 13);
    press(5, 5, MiddleButton); // not a middle one
    EXPECT_EQ(game().Points, 10);
    form.picBox_MouseDown(RightButton, 0, 10, 400); // below the board
    EXPECT_EQ(boardRows(game()), fullRows(Ordinary));
    EXPECT_EQ(game().Points, 0);
}

struct Ended : Shell {
    void SetUp() override
    {
        start();
        setBoard(game(), {"1233"}); // taking the 3s leaves 1 and 2 apart; 3, 4 and 5 are gone
        press(2, 15);
    }
};

TEST_F(Ended, TheLastMoveEntersTheScore)
{
    EXPECT_TRUE(game().GameOver);
    EXPECT_EQ(scoreBytes(), support::record(Stored, 15010) + std::string(96, '\0'));
}

TEST_F(Ended, PressesAfterTheEndOnlyPresent)
{
    const Rows over = boardRows(game());
    const std::string saved = scoreBytes();
    press(0, 15);
    press(0, 15, RightButton);
    EXPECT_EQ(frontend.frames, 4);
    EXPECT_EQ(boardRows(game()), over);
    EXPECT_EQ(game().Points, 15010);
    EXPECT_EQ(scoreBytes(), saved);
}

TEST_F(Ended, SpaceDealsAFreshGameWhoseUndoIsItsOwn)
{
    key(Space, 6);
    EXPECT_EQ(frontend.frames, 3);
    EXPECT_FALSE(game().GameOver);
    EXPECT_EQ(game().Points + game().Bonus, 0);
    const Rows dealt = boardRows(game());
    press(0, 0, RightButton);
    EXPECT_EQ(boardRows(game()), dealt) << "the last game's snapshot came back";
}

// A release acts only on a key the window saw go down: the Escape that cancels the name prompt or closes a
// message box is released over the game window.
TEST_F(Shell, AReleaseWithoutItsPressDoesNothing)
{
    start();
    game().Points = 77;
    for (const int code : {int(Escape), int(Space), int(Home)})
        form.Form_KeyUp(code, ShiftMask);
    EXPECT_EQ(frontend.quits, 0);
    EXPECT_EQ(game().Points, 77);
    EXPECT_EQ(scoreBytes(), "");
}

TEST_F(Shell, AKeyActsOnceOnItsRelease)
{
    start();
    game().Points = 77;
    form.Form_KeyDown(Space);
    EXPECT_EQ(game().Points, 77) << "acted on the press";
    form.Form_KeyUp(Space, 0);
    EXPECT_EQ(game().Points, 0);
    game().Points = 5;
    form.Form_KeyUp(Space, 0);
    EXPECT_EQ(game().Points, 5) << "one press acted twice";
}

TEST_F(Shell, OnlyShiftHomeResetsTheTable)
{
    start();
    key(Home);
    key(Home, ShiftMask | CtrlMask);
    key(35, ShiftMask); // End
    EXPECT_EQ(frontend.frames, 1);
    EXPECT_EQ(scoreBytes(), "");
    key(Home, ShiftMask);
    EXPECT_EQ(scoreBytes().substr(RecordSize * 4), support::record("Anynomous1", 0));
}

TEST_F(Shell, NothingActsOnceEscapeEndsTheProgram)
{
    start();
    key(Escape, ShiftMask);
    EXPECT_EQ(frontend.quits, 1);
    key(Space);
    press(0, 0, RightButton);
    form.Form_Resize();
    EXPECT_EQ(frontend.frames, 1);
}

} // namespace
} // namespace tilzo
