#include "app_window_harness.h"

#include <QKeyEvent>
#include <QtEndian>

namespace tilzo::test {
namespace {

// Two 1s in row 13 with blocks above them that fall, and 4s whose columns close up.
const Rows Ordinary = {"1", "2", "11", "23", "1145..........44"};
const Rows OrdinarySettled = fullRows({"1", "2", "23", "114544"});
// Taking the 3s leaves a 1 and a 2 apart: the game ends with colours 3, 4 and 5 gone.
const Rows LastMove = {"1233"};

class Input : public WindowTest {
protected:
    void SetUp() override { start(); }

    void keyRelease(Qt::Key key, Qt::KeyboardModifiers mods = {}, bool autoRepeat = false)
    {
        QKeyEvent event(QEvent::KeyRelease, key, mods, QString(), autoRepeat);
        QApplication::sendEvent(window.get(), &event);
    }
};

TEST_F(Input, EveryPressPresentsOneFrameAndOnlyAcceptedPixelsMakeMoves)
{
    // pixel, the cell of the one pair on the board, whether the press takes it
    const std::tuple<QPoint, QPoint, bool> cases[] = {
        {{55, 55}, {0, 0}, true},     {{70, 55}, {1, 0}, true},     {{86, 55}, {0, 0}, false},
        {{307, 306}, {15, 15}, true}, {{54, 60}, {0, 0}, false},    {{60, 54}, {0, 0}, false},
        {{308, 60}, {15, 0}, false},  {{309, 60}, {15, 0}, false},  {{60, 307}, {0, 15}, false},
        {{60, 309}, {0, 15}, false},
    };
    for (const auto& [pixel, cell, moves] : cases) {
        for (int c = 0; c < BoardSize; ++c)
            for (int r = 0; r < BoardSize; ++r)
                window->game.Map[c][r] = static_cast<std::uint8_t>(1 + (c + r) % 2);
        window->game.Map[cell.x()][cell.y()] = window->game.Map[cell.x() == 15 ? 14 : cell.x() + 1][cell.y()] = 3;
        window->game.Map[7][7] = window->game.Map[7][8] = 4;  // the game goes on
        window->game.Points = 0;
        EXPECT_EQ(framesDuring([&] { press(pixel); }), 1);
        EXPECT_EQ(window->game.Points == 10, moves) << pixel.x() << "," << pixel.y();
    }
}

TEST_F(Input, AMoveRemovesSettlesAndScoresInOnePressWhateverModifierIsHeld)
{
    setBoard(window->game, Ordinary);
    const Rows before = boardRows(window->game);
    press(cellCentre(0, 13), Qt::MiddleButton);
    press(cellCentre(5, 5));  // empty
    EXPECT_EQ(boardRows(window->game), before);

    EXPECT_EQ(framesDuring([&] { press(cellCentre(1, 13), Qt::LeftButton, Qt::ShiftModifier); }), 1);
    EXPECT_EQ(window->game.Points, 10);
    EXPECT_EQ(boardRows(window->game), OrdinarySettled);
    EXPECT_EQ(window->picBox->screen().pixel(cellCentre(0, 11)),
              window->graphics.BackgroundSurf.image().pixel(cellCentre(0, 11)));

    EXPECT_EQ(framesDuring([&] { press({10, 400}, Qt::RightButton); }), 1);  // undo, off the board
    EXPECT_EQ(boardRows(window->game), fullRows(Ordinary));
    EXPECT_EQ(window->game.Points, 0);
}

TEST_F(Input, TheLastMoveEndsTheGameAndEntersTheScoreInOnePress)
{
    setBoard(window->game, LastMove);
    EXPECT_EQ(framesDuring([&] { press(cellCentre(2, 15)); }), 1);
    EXPECT_TRUE(window->game.GameOver);
    EXPECT_EQ(window->game.Points, 10 + 3 * 5000);
    const QByteArray bytes = scoreBytes();
    ASSERT_EQ(bytes.size(), 120);
    EXPECT_EQ(bytes.left(20), QByteArray("Tilzo") + QByteArray(15, ' '));
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 20), 15010);
    const QImage frame = window->graphics.BackBuffer.image();
    EXPECT_NE(frame.copy(130, 130, 80, 28), window->graphics.BackgroundSurf.image().copy(130, 130, 80, 28))
        << "the end message is on screen";

    // Over: presses only redraw, undo is refused, the score enters once.
    const Rows over = boardRows(window->game);
    EXPECT_EQ(framesDuring([&] {
        press(cellCentre(0, 15));
        press({10, 400}, Qt::RightButton);
    }), 2);
    EXPECT_EQ(boardRows(window->game), over);
    EXPECT_EQ(window->game.Points, 15010);
    EXPECT_EQ(window->scores[1].Score, 0);

    EXPECT_EQ(framesDuring([&] { keyRelease(Qt::Key_Space); }), 1);
    EXPECT_FALSE(window->game.GameOver);
    EXPECT_EQ(window->game.Points + window->game.Bonus, 0);
    setBoard(window->game, Ordinary);
    press(cellCentre(0, 13));
    EXPECT_EQ(window->game.Points, 10);
    EXPECT_TRUE(dialogs.boxes.isEmpty());
}

TEST_F(Input, KeysActOnTheirRealReleaseOnly)
{
    window->game.Points = 77;
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &down);
    keyRelease(Qt::Key_Space, {}, true);  // auto-repeat
    EXPECT_EQ(window->game.Points, 77);
    keyRelease(Qt::Key_Space, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(window->game.Points, 0);

    EXPECT_EQ(framesDuring([&] {
        keyRelease(Qt::Key_Home);
        keyRelease(Qt::Key_Home, Qt::ShiftModifier | Qt::ControlModifier);
        keyRelease(Qt::Key_End, Qt::ShiftModifier);
    }), 0);
    EXPECT_EQ(scoreBytes(), QByteArray());
    EXPECT_EQ(framesDuring([&] { keyRelease(Qt::Key_Home, Qt::ShiftModifier); }), 1);
    EXPECT_EQ(scoreBytes(), (QByteArray("Anynomous1") + QByteArray(10, ' ') + QByteArray(4, '\0')).repeated(5));

    QSignalSpy quit(window.get(), &frmMain::quitRequested);
    EXPECT_EQ(framesDuring([&] { keyRelease(Qt::Key_Escape, Qt::ShiftModifier); }), 0);
    EXPECT_EQ(quit.count(), 1);
    window->game.Points = 77;
    keyRelease(Qt::Key_Space);  // nothing acts once the program is ending
    press(cellCentre(0, 0), Qt::RightButton);
    EXPECT_EQ(window->game.Points, 77);
}

TEST_F(Input, TheSecondPressOfADoubleClickIsAMove)
{
    setBoard(window->game, Ordinary);
    press(cellCentre(15, 15));
    EXPECT_EQ(window->game.Points, 10);
    QMouseEvent second(QEvent::MouseButtonDblClick, cellCentre(0, 13), window->picBox->mapToGlobal(cellCentre(0, 13)),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->picBox, &second);
    EXPECT_EQ(window->game.Points, 20);
}

TEST_F(WindowTest, AWholeGameFromTheNamePromptToTheTable)
{
    dialogs.reply = QStringLiteral("Tester");
    start();
    for (int presses = 0; !window->game.GameOver && presses < 300; ++presses) {
        QPoint pair(0, 15);  // a dealt board without a pair ends at any press
        for (int c = BoardSize - 1; c >= 0; --c)
            for (int r = BoardSize - 1; r >= 0; --r) {
                const int code = window->game.Map[c][r];
                if (code != 0 && (window->game.Map[c + 1][r] == code || window->game.Map[c][r + 1] == code))
                    pair = {c, r};
            }
        press(cellCentre(pair.x(), pair.y()));
    }
    ASSERT_TRUE(window->game.GameOver);
    const QByteArray bytes = scoreBytes();
    ASSERT_EQ(bytes.size(), 120);
    EXPECT_EQ(bytes.left(20), QByteArray("Tester") + QByteArray(14, ' '));
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 20), window->game.Points);
}

} // namespace
} // namespace tilzo::test
