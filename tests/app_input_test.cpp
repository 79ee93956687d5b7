#include "app_window_harness.h"

#include <QKeyEvent>
#include <QtEndian>

namespace tilzo::test {
namespace {

// A board with no move but one pair of colour 3 holding (column, row), and a
// spare pair of colour 4 far from it so that the game goes on.
void boardWithPairAt(Game& game, int column, int row)
{
    for (int c = 0; c < BoardSize; ++c)
        for (int r = 0; r < BoardSize; ++r)
            game.Map[c][r] = static_cast<std::uint8_t>((c + r) % 2 == 0 ? 1 : 2);
    game.Map[column][row] = 3;
    game.Map[column < BoardSize - 1 ? column + 1 : column - 1][row] = 3;
    game.Map[7][7] = 4;
    game.Map[7][8] = 4;
}

int whitePixels(const QImage& frame, const QRect& box)
{
    int count = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            count += frame.pixel(x, y) == qRgb(255, 255, 255) ? 1 : 0;
    return count;
}

const QRect EndMessageBox(130, 130, 110, 30);  // "GAME OVER" and the bonus line below it

class Input : public WindowTest {
protected:
    void SetUp() override { start(); }

    // Presses at a pixel of a board whose only scoring pair holds (column, row):
    // true when the press removed that pair.
    bool pressRemoves(QPoint at, int column, int row)
    {
        boardWithPairAt(window->game, column, row);
        window->game.Points = 0;
        EXPECT_EQ(framesDuring([&] { press(at); }), 1) << "every press presents one frame";
        return window->game.Points == 10;
    }

    // Two 1s in row 13 of columns 0 and 1, with blocks above that fall when they go,
    // and a pair of 4s at the right whose columns close up to the left.
    void setOrdinaryBoard()
    {
        setBoard(window->game, {
            "1",
            "2",
            "11",
            "23",
            "1145..........44",
        });
    }

    // Taking the 3s leaves 1 and 2 apart: the game ends with colours 3, 4, 5 gone.
    void setLastMoveBoard() { setBoard(window->game, {"1233"}); }

    void keyRelease(Qt::Key key, Qt::KeyboardModifiers mods = {}, bool autoRepeat = false)
    {
        QKeyEvent event(QEvent::KeyRelease, key, mods, QString(), autoRepeat);
        QApplication::sendEvent(window.get(), &event);
    }
};

TEST_F(Input, BoardPressesCountOnlyInsideTheAcceptedPixels)
{
    EXPECT_TRUE(pressRemoves({55, 55}, 0, 0));
    EXPECT_TRUE(pressRemoves({70, 55}, 1, 0));
    EXPECT_FALSE(pressRemoves({86, 55}, 0, 0));
    EXPECT_TRUE(pressRemoves({307, 306}, 15, 15));

    EXPECT_FALSE(pressRemoves({54, 60}, 0, 0));
    EXPECT_FALSE(pressRemoves({60, 54}, 0, 0));
    EXPECT_FALSE(pressRemoves({308, 60}, 15, 0));
    EXPECT_FALSE(pressRemoves({309, 60}, 15, 0));
    for (int y : {307, 308, 309})
        EXPECT_FALSE(pressRemoves({60, y}, 0, 15));
}

TEST_F(Input, OtherButtonsAndEmptyCellsOnlyRedraw)
{
    boardWithPairAt(window->game, 0, 0);
    window->game.Map[5][5] = 0;
    const Rows before = boardRows(window->game);
    EXPECT_EQ(framesDuring([&] { press(cellCentre(0, 0), Qt::MiddleButton); }), 1);
    EXPECT_EQ(framesDuring([&] { press(cellCentre(5, 5)); }), 1);
    EXPECT_EQ(boardRows(window->game), before);
    EXPECT_EQ(window->game.Points, 0);

    // Shift held makes no difference to a press.
    press(cellCentre(0, 0), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(window->game.Points, 10);
}

TEST_F(Input, AMoveRemovesSettlesAndScoresInOnePress)
{
    setOrdinaryBoard();
    EXPECT_EQ(framesDuring([&] { press(cellCentre(1, 13)); }), 1);

    EXPECT_EQ(window->game.Points, 10);
    EXPECT_FALSE(window->game.GameOver);
    EXPECT_EQ(boardRows(window->game), fullRows({
        "1",
        "2",
        "23",
        "114544",
    }));
    EXPECT_EQ(window->picBox->presentedFrame().pixel(cellCentre(0, 11)),
              window->graphics.BackgroundSurf.image().pixel(cellCentre(0, 11)))
        << "the frame shows the settled board";
}

TEST_F(Input, TheLastMoveEndsTheGameAndEntersTheScoreInOnePress)
{
    dialogs.boxes.clear();
    setLastMoveBoard();
    EXPECT_EQ(whitePixels(window->picBox->presentedFrame(), EndMessageBox), 0);
    EXPECT_EQ(framesDuring([&] { press(cellCentre(2, 15)); }), 1);

    EXPECT_TRUE(window->game.GameOver);
    EXPECT_EQ(window->game.Bonus, 3 * 5000);
    EXPECT_EQ(window->game.Points, 10 + 3 * 5000);
    EXPECT_EQ(window->scores[0].Score, 10 + 3 * 5000);
    const QByteArray bytes = scoreBytes();
    ASSERT_EQ(bytes.size(), 120);
    EXPECT_EQ(bytes.left(20), QByteArray("Tilzo") + QByteArray(15, ' '));
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 20), 15010);
    EXPECT_GT(whitePixels(window->picBox->presentedFrame(), EndMessageBox), 50);

    // Over: presses only redraw, undo is refused, and the score is not entered twice.
    const Rows over = boardRows(window->game);
    EXPECT_EQ(framesDuring([&] { press(cellCentre(0, 15)); }), 1);
    EXPECT_EQ(framesDuring([&] { press({10, 400}, Qt::RightButton); }), 1);
    EXPECT_EQ(boardRows(window->game), over);
    EXPECT_EQ(window->game.Points, 15010);
    EXPECT_EQ(window->scores[1].Score, 0);

    // Space starts a game that plays again.
    EXPECT_EQ(framesDuring([&] { keyRelease(Qt::Key_Space); }), 1);
    EXPECT_FALSE(window->game.GameOver);
    EXPECT_EQ(window->game.Points, 0);
    EXPECT_EQ(window->game.Bonus, 0);
    setOrdinaryBoard();
    press(cellCentre(0, 13));
    EXPECT_EQ(window->game.Points, 10);
    EXPECT_TRUE(dialogs.boxes.isEmpty());
}

TEST_F(Input, ARightPressAnywhereTakesTheMoveBack)
{
    setOrdinaryBoard();
    const Rows before = boardRows(window->game);
    press(cellCentre(0, 13));
    EXPECT_EQ(framesDuring([&] { press({10, 400}, Qt::RightButton); }), 1);
    EXPECT_EQ(boardRows(window->game), before);
    EXPECT_EQ(window->game.Points, 0);
}

TEST_F(Input, KeysActOnReleaseOnly)
{
    window->game.Points = 77;
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &down);
    EXPECT_EQ(window->game.Points, 77);

    // A held key repeats its release; only the real release deals.
    keyRelease(Qt::Key_Space, {}, true);
    EXPECT_EQ(window->game.Points, 77);
    keyRelease(Qt::Key_Space, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(window->game.Points, 0);
}

TEST_F(Input, OnlyShiftHomeResetsTheTable)
{
    ASSERT_EQ(scoreBytes().size(), 0);  // created empty at start-up
    EXPECT_EQ(framesDuring([&] {
        keyRelease(Qt::Key_Home);
        keyRelease(Qt::Key_Home, Qt::ShiftModifier | Qt::ControlModifier);
        keyRelease(Qt::Key_End, Qt::ShiftModifier);
    }), 0);
    EXPECT_EQ(scoreBytes().size(), 0);

    EXPECT_EQ(framesDuring([&] { keyRelease(Qt::Key_Home, Qt::ShiftModifier); }), 1);
    const QByteArray record = QByteArray("Anynomous1") + QByteArray(10, ' ') + QByteArray(4, '\0');
    EXPECT_EQ(scoreBytes(), record.repeated(5));
    EXPECT_EQ(window->scores[4].shownName(), QStringLiteral("Anynomous1"));
}

TEST_F(Input, EscapeEndsTheProgramAndNothingActsAfterIt)
{
    QSignalSpy quit(window.get(), &frmMain::quitRequested);
    const int frames = framesDuring([&] { keyRelease(Qt::Key_Escape, Qt::ShiftModifier); });
    EXPECT_EQ(quit.count(), 1);
    EXPECT_EQ(frames, 0);

    window->game.Points = 77;
    keyRelease(Qt::Key_Space);
    press(cellCentre(0, 0), Qt::RightButton);
    EXPECT_EQ(window->game.Points, 77);
}

TEST_F(Input, TheSecondPressOfADoubleClickIsAMove)
{
    setOrdinaryBoard();
    press(cellCentre(15, 15));  // the 4s at the right
    EXPECT_EQ(window->game.Points, 10);
    QMouseEvent second(QEvent::MouseButtonDblClick, cellCentre(0, 13), window->picBox->mapToGlobal(cellCentre(0, 13)),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->picBox, &second);
    EXPECT_EQ(window->game.Points, 20);
}

// From the name prompt to the end of a game, always taking the first pair found.
TEST(WholeGame, PlaysFromStartUpToTheTable)
{
    QTemporaryDir programDir;
    QTemporaryDir userDir;
    Random random;
    AnsweringDialogs dialogs;
    dialogs.reply = QStringLiteral("Tester");
    frmMain window(random, dialogs, programDir.path(), userDir.path());
    window.Form_Load();
    window.show();

    int presses = 0;
    while (!window.game.GameOver && presses < 300) {
        QPoint target(-1, -1);
        for (int c = 0; c < BoardSize && target.x() < 0; ++c)
            for (int r = 0; r < BoardSize && target.x() < 0; ++r) {
                const int code = window.game.Map[c][r];
                if (code != 0 && ((c < 15 && window.game.Map[c + 1][r] == code) ||
                                  (r < 15 && window.game.Map[c][r + 1] == code)))
                    target = QPoint(c, r);
            }
        if (target.x() < 0)
            target = QPoint(0, 15);  // no pair on the dealt board: any block ends it
        QTest::mouseClick(window.picBox, Qt::LeftButton, {}, QPoint(62 + 16 * target.x(), 62 + 16 * target.y()));
        ++presses;
    }
    ASSERT_TRUE(window.game.GameOver);

    QFile file(programDir.filePath(QStringLiteral("high.dat")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_EQ(bytes.size(), 120);
    EXPECT_EQ(bytes.left(20), QByteArray("Tester") + QByteArray(14, ' '));
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 20), window.game.Points);
    EXPECT_GT(window.game.Points, 0);
    EXPECT_TRUE(dialogs.boxes.isEmpty());
}

} // namespace
} // namespace tilzo::test
