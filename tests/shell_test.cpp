// The window's handlers and the move sequence, driven through the core with a front end
// of the test's own: the same code both builds run.
#include "core/render/Frame.h"
#include "core/shell/frmMain.h"
#include "tests/support/Rows.h"
#include "tests/support/ScoreFileCheck.h"

#include <gtest/gtest.h>

namespace tilzo {
namespace {

using namespace support;

// What the name prompt is answered.
const std::string Answer = "  \tAnn" + std::string(13, 'x') + "\tcut off";

struct TestFrontend : Frontend {
    std::string askName() override { return onAsk(); }
    void showError(const std::string& text, const std::string& title) override
    {
        boxes.push_back(title + ": " + text);
    }
    std::string bitmapBits(Bitmap bitmap) override
    {
        return readFile(TILZO_SOURCE_DIR "/assets/" + std::to_string(bitmap) + ".bmp").substr(14);
    }
    void fitPictureBox() override { }
    void present(const Surface&) override { ++frames; }
    void quit() override { ++quits; }

    std::function<std::string()> onAsk = [] { return Answer; };
    std::vector<std::string> boxes; // "title: text"
    int frames = 0, quits = 0;
};

// The answer cut to 20 characters, then trimmed of spaces only, then padded with them.
const std::string Stored = "\tAnn" + std::string(13, 'x') + "\t  ";
// Two 1s in row 13 with blocks above them that fall, and 4s whose columns close up.
const Rows Ordinary = {"1", "2", "11", "23", "1145..........44"};

// The form before start-up.
struct Form : ::testing::Test {
    void press(int column, int row, int button = LeftButton)
    {
        form.picBox_MouseDown(button, ShiftMask, 62 + 16 * column, 62 + 16 * row);
    }
    void key(int code, int shift = 0)
    {
        form.Form_KeyDown(code);
        form.Form_KeyUp(code, shift);
    }
    std::string scoreBytes() const { return readFile(folder.path / "high.dat"); }
    Game& game() { return form.game; }

    TempFolder folder;
    Random random;
    TestFrontend frontend;
    frmMain form{frontend, random, {folder.path, {}, {}, true}};
};

// Nothing is presented before start-up ends; then start-up and each resize present once.
TEST_F(Form, StartUpAsksTheNameBeforeItLoadsTheTableOrDealsThenPresents)
{
    frontend.onAsk = [&] {
        EXPECT_FALSE(std::filesystem::exists(folder.path / "high.dat"));
        EXPECT_EQ(game().Map[0][0], 0);
        return Answer;
    };
    form.blt();
    form.Form_Load();
    EXPECT_EQ(std::tuple(scoreBytes(), frontend.frames), std::tuple("", 1)); // created empty
    EXPECT_NE(game().Map[15][15], 0);
    form.Form_Resize();
    EXPECT_EQ(frontend.frames, 2);
}

struct Shell : Form {
    void SetUp() override { form.Form_Load(); }
};

TEST_F(Shell, AFrameThatCannotBeDrawnShowsABoxEachTimeAndPresentsNothing)
{
    form.graphics.BackBuffer.release();
    form.picBox_Paint();
    press(0, 0, RightButton);
    EXPECT_EQ(frontend.frames, 1);
    EXPECT_EQ(frontend.boxes,
              std::vector<std::string>(2, "error: There was an error while redrawing the screen."));
}

TEST_F(Shell, EachRunIsSeededFromTheClockBeforeItsFirstDeal)
{
    Random other;
    frmMain second(frontend, other, {folder.path, {}, {}, true});
    second.Form_Load();
    EXPECT_NE(boardRows(second.game), boardRows(game()));
}

TEST_F(Shell, OnlyALeftPressOnABlockMovesAndOnlyARightPressAnywhereTakesItBack)
{
    setBoard(game(), Ordinary);
    press(0, 13, MiddleButton);
    press(5, 5); // empty
    EXPECT_EQ(boardRows(game()), fullRows(Ordinary));
    press(1, 13);
    press(5, 5, MiddleButton);
    EXPECT_EQ(boardRows(game()), fullRows({"1", "2", "23", "114544"}));
    form.picBox_MouseDown(RightButton, 0, 10, 400); // below the board
    EXPECT_EQ(std::tuple(boardRows(game()), game().Points), std::tuple(fullRows(Ordinary), 0));
}

// The score goes in under the name as given; after the end only Space acts, and its game takes back none
// of the last one's moves.
TEST_F(Shell, TheLastMoveEntersTheScoreThenOnlySpaceActs)
{
    setBoard(game(), {"1233"}); // taking the 3s leaves 1 and 2 apart; 3, 4 and 5 are gone
    press(2, 15);
    const std::string saved = record(Stored, 15010) + std::string(96, '\0');
    EXPECT_EQ(scoreBytes(), saved);
    const Rows over = boardRows(game());
    press(0, 15);
    press(0, 15, RightButton);
    EXPECT_EQ(boardRows(game()), over);
    EXPECT_EQ(std::tuple(frontend.frames, game().Points, scoreBytes()), std::tuple(4, 15010, saved));
    key(Space, 6);
    EXPECT_EQ(std::tuple(frontend.frames, game().GameOver), std::tuple(5, false));
    const Rows dealt = boardRows(game());
    press(0, 0, RightButton);
    EXPECT_EQ(boardRows(game()), dealt) << "the last game's snapshot came back";
}

// A key acts once, on the release of its press: the Escape that cancels the name prompt or closes a message
// box is released over the game window.
TEST_F(Shell, AKeyActsOnceOnTheReleaseOfItsPressAndOnlyShiftHomeResetsTheTable)
{
    game().Points = 77;
    for (const int code : {int(Escape), int(Space), int(Home)})
        form.Form_KeyUp(code, ShiftMask);
    form.Form_KeyDown(Space);
    EXPECT_EQ(std::tuple(game().Points, frontend.quits, scoreBytes()), std::tuple(77, 0, ""));
    form.Form_KeyUp(Space, 0);
    EXPECT_EQ(game().Points, 0);
    game().Points = 5;
    form.Form_KeyUp(Space, 0);
    EXPECT_EQ(game().Points, 5) << "one press acted twice";

    // Only Shift+Home resets the table, and nothing acts after Escape.
    int frames = frontend.frames;
    key(Home);
    key(Home, ShiftMask | CtrlMask);
    key(35, ShiftMask); // End
    EXPECT_EQ(std::tuple(frontend.frames, scoreBytes()), std::tuple(frames, ""));
    key(Home, ShiftMask);
    EXPECT_EQ(scoreBytes().substr(RecordSize * 4), record("Anynomous1", 0));
    frames = frontend.frames;
    key(Escape, ShiftMask);
    EXPECT_EQ(frontend.quits, 1);
    key(Space);
    press(0, 0, RightButton);
    form.Form_Resize();
    form.picBox_Paint();
    EXPECT_EQ(frontend.frames, frames);
}

} // namespace
} // namespace tilzo
