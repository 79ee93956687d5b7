// The game window on the offscreen platform, driven by real events, with high.dat
// in a folder of its own and the dialogs answered by the test.
#include "app/PictureBox.h"
#include "app/frmMain.h"
#include "fuzz/ScoreFileCheck.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace tilzo {
namespace {

using Rows = std::vector<std::string>;

// Text rows, the last at the bottom of the board: '.' is empty, '1'..'5' a colour; a short row ends in empty cells.
Rows fullRows(Rows rows)
{
    rows.insert(rows.begin(), BoardSize - rows.size(), "");
    for (std::string& row : rows) row.resize(BoardSize, '.');
    return rows;
}

void setBoard(Game& game, const Rows& rows)
{
    const Rows full = fullRows(rows);
    for (int i = 0; i < BoardSize * BoardSize; ++i) game.Map[i / 16][i % 16] = std::string(".12345").find(full[i % 16][i / 16]);
}

Rows boardRows(const Game& game)
{
    Rows rows = fullRows({});
    for (int i = 0; i < BoardSize * BoardSize; ++i) rows[i % 16][i / 16] = ".12345"[game.Map[i / 16][i % 16]];
    return rows;
}

// The centre of a cell of the frame, as the window shows it at its own size.
QPointF centre(int column, int row) { return (QPointF(62, 62) + 16 * QPointF(column, row)) * 367 / 364; }

struct AnsweringDialogs : Dialogs {
    std::function<void()> onAsk = [] {};
    QStringList boxes;  // "title: text"
    QString askName(QWidget*) override { return onAsk(), "  \tAnn" + QString(13, 'x') + "\tcut off"; }
    void showError(QWidget*, const QString& text, const QString& title) override { boxes << title + ": " + text; }
};

// Two 1s in row 13 with blocks above them that fall, and 4s whose columns close up.
const Rows Ordinary = {"1", "2", "11", "23", "1145..........44"};
// The answer cut to 20 characters, then trimmed of spaces only, then padded with them.
const QByteArray Stored = "\tAnn" + QByteArray(13, 'x') + "\t  ";

struct Window : ::testing::Test {
    void start() { window->Form_Load(), window->show(); ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get())); }
    QByteArray scoreBytes() const { return fuzz::readFile(programDir.filePath("high.dat")); }
    int framesDuring(const std::function<void()>& action)
    {
        QSignalSpy spy(window->picBox, &PictureBox::presented);
        return action(), static_cast<int>(spy.count());
    }
    // Real events: a press at a point of the picture box, a key's release.
    void press(QPointF at, Qt::MouseButton button = Qt::LeftButton, QEvent::Type type = QEvent::MouseButtonPress)
    {
        QMouseEvent event(type, at, window->picBox->mapToGlobal(at), button, button, Qt::ShiftModifier);
        QApplication::sendEvent(window->picBox, &event);
    }
    void keyRelease(Qt::Key key, Qt::KeyboardModifiers mods = {}, bool autoRepeat = false)
    {
        QKeyEvent event(QEvent::KeyRelease, key, mods, QString(), autoRepeat);
        QApplication::sendEvent(window.get(), &event);
    }
    Game& game() { return window->game; }

    QTemporaryDir programDir, userDir;
    Random random;
    AnsweringDialogs dialogs;
    std::unique_ptr<frmMain> window = std::make_unique<frmMain>(random, dialogs, programDir.path(), userDir.path());
};

TEST_F(Window, StartUpAsksTheNameFirstThenLoadsTheTableDealsAndPresentsOneFrame)
{
    dialogs.onAsk = [&] { EXPECT_FALSE(window->isVisible() || QFile::exists(programDir.filePath("high.dat")) || window->Initialized || game().Map[0][0]); };
    EXPECT_EQ(framesDuring([&] { window->blt(), window->Form_Load(); }), 1);  // nothing to show before
    EXPECT_EQ(std::pair(window->PlayerName.toLatin1(), scoreBytes()), std::pair(Stored, QByteArray()));  // created empty
    window->show();
    EXPECT_EQ(std::tuple(window->windowTitle(), window->minimumSize(), window->maximumSize(), window->picBox->geometry()),
              std::tuple("Tilzo v1.02", QSize(367, 423), QSize(367, 423), QRect(0, 0, 367, 423)));
    // A frame that cannot be drawn shows a box each time, and the last picture stays.
    const QImage shown = window->picBox->screen();
    window->graphics.BackBuffer.release();
    EXPECT_EQ(framesDuring([&] { window->blt(), press(centre(0, 0), Qt::RightButton); }), 0);
    EXPECT_EQ(dialogs.boxes, QStringList(2, "error: There was an error while redrawing the screen."));
    EXPECT_EQ(window->picBox->screen(), shown);

    // A second copy, installed: seeded from the clock before its first deal, and nothing beside the program.
    const QDir prefix(userDir.filePath("usr"));
    prefix.mkpath("games"), prefix.mkpath("share/applications");
    QFile(prefix.filePath("share/applications/org.tilzo.Tilzo.desktop")).open(QIODevice::WriteOnly);
    Random other;
    dialogs.onAsk = [] {};
    frmMain second(other, dialogs, prefix.filePath("games"), userDir.path());
    second.Form_Load();
    EXPECT_NE(boardRows(second.game), boardRows(game()));
    EXPECT_TRUE(QDir(prefix.filePath("games")).isEmpty() && QFile::exists(userDir.filePath("high.dat")));
}

TEST_F(Window, APressLandsOnTheFramePixelDrawnUnderItAtAnySize)
{
    start();
    QImage coded(FrameSize, QImage::Format_RGB32);  // every pixel holds its own position
    for (int i = 0; i < coded.width() * coded.height(); ++i) coded.setPixel(i % coded.width(), i / coded.width(), 0xFF000000 | i);
    ASSERT_TRUE(coded.save(programDir.filePath("coded.png")));
    QPoint landed;
    QObject::connect(window->picBox, &PictureBox::pressed, [&](int, int, double x, double y) { landed = QPoint(x, y); });
    EXPECT_EQ(framesDuring([&] { window->setFixedSize(734, 846); }), 1);  // a resize presents the frame again
    window->Initialized = false;  // the presses only report where they land
    const qreal ratio = window->picBox->devicePixelRatioF();  // 2 in the high-DPI run of this test
    for (const QSize size : {QSize(367, 423), QSize(734, 846) / ratio}) {
        window->setFixedSize(size);
        window->picBox->present(Surface::fromBitmap(programDir.filePath("coded.png"), FrameSize));
        const QImage shown = window->picBox->screen();
        ASSERT_EQ(std::pair(window->picBox->geometry(), shown.size()), std::pair(QRect(QPoint(), size), size * ratio));
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const int at = shown.pixel(x, y) & 0xFFFFFF;
                const QPoint drawn(at % FrameSize.width(), at / FrameSize.width());
                if (!QRect(52, 52, 260, 260).contains(drawn)) continue;  // the board and a margin
                ASSERT_EQ(drawn, QPoint((x + 0.5) * 364 / shown.width(), (y + 0.5) * 420 / shown.height()));  // under the centre
                press(QPointF(x + 0.5, y + 0.5) / ratio);  // the middle of the screen pixel
                ASSERT_EQ(landed, drawn) << "pressed at " << x << "," << y << " of " << shown.width();
            }
    }
}

TEST_F(Window, EveryPressPresentsOneFrameAndOnlyTheWrittenBoardAreaMakesMoves)
{
    start();
    // frame pixel, the cell of the one pair on the board, whether the press takes it
    const std::tuple<QPoint, QPoint, bool> cases[] = {{{55, 55}, {0, 0}, true}, {{70, 55}, {1, 0}, true}, {{69, 55}, {1, 0}, false},
        {{307, 306}, {15, 15}, true}, {{54, 60}, {0, 0}, false}, {{60, 54}, {0, 0}, false},
        {{308, 60}, {15, 0}, false}, {{309, 60}, {15, 0}, false}, {{60, 307}, {0, 15}, false}};
    for (const auto& [pixel, cell, moves] : cases) {
        for (int i = 0; i < BoardSize * BoardSize; ++i) game().Map[i / 16][i % 16] = static_cast<std::uint8_t>(1 + (i / 16 + i) % 2);
        game().Map[cell.x()][cell.y()] = game().Map[cell.x() == 15 ? 14 : cell.x() + 1][cell.y()] = 3;
        game().Map[7][7] = game().Map[7][8] = 4, game().Points = 0;  // the game goes on, from no points
        EXPECT_EQ(framesDuring([&] { window->picBox_MouseDown(1, 0, pixel.x(), pixel.y()); }), 1);
        EXPECT_EQ(game().Points == 10, moves) << pixel.x() << "," << pixel.y();
    }
}

TEST_F(Window, AMoveRemovesSettlesThenLooksForAMoveAndCanBeTakenBackFromAnywhere)
{
    start();
    setBoard(game(), Ordinary);
    press(centre(0, 13), Qt::MiddleButton);
    press(centre(5, 5));  // empty
    EXPECT_EQ(boardRows(game()), fullRows(Ordinary));
    press(centre(1, 13), Qt::LeftButton, QEvent::MouseButtonDblClick);  // a quick second press is a press
    EXPECT_EQ(std::pair(boardRows(game()), game().Points), std::pair(fullRows({"1", "2", "23", "114544"}), 10));
    const QPoint emptied = centre(0, 11).toPoint();  // which the fall emptied
    EXPECT_EQ(window->picBox->screen().pixel(emptied),
              window->graphics.BackgroundSurf.image().pixel(window->picBox->framePosition(emptied)));
    press(centre(-3, 20), Qt::RightButton);  // below the board
    EXPECT_EQ(std::pair(boardRows(game()), game().Points), std::pair(fullRows(Ordinary), 0));

    setBoard(game(), {"1221"});  // only settling brings the 1s together: the game goes on
    press(centre(1, 15));
    EXPECT_FALSE(game().GameOver);
}

TEST_F(Window, TheLastMoveEndsTheGameAndEntersTheScoreOnceAndANewGameStartsWithoutUndo)
{
    start();
    setBoard(game(), {"1233"});  // taking the 3s leaves 1 and 2 apart; 3, 4 and 5 are gone
    EXPECT_EQ(framesDuring([&] { press(centre(2, 15)); }), 1);
    EXPECT_TRUE(game().GameOver);
    const QByteArray entered = Stored + QByteArray("\xA2\x3A\0\0", 4);  // 15010
    EXPECT_EQ(scoreBytes(), entered + QByteArray(96, '\0'));
    const Rows over = boardRows(game());
    EXPECT_EQ(framesDuring([&] { press(centre(0, 15)), press(centre(0, 15), Qt::RightButton); }), 2);
    EXPECT_EQ(std::pair(boardRows(game()), game().Points), std::pair(over, 15010));

    EXPECT_EQ(framesDuring([&] { keyRelease(Qt::Key_Space, Qt::ControlModifier | Qt::AltModifier); }), 1);
    EXPECT_EQ(std::tuple(game().GameOver, game().Points, game().Bonus), std::tuple(false, 0, 0));
    const Rows dealt = boardRows(game());
    press(centre(0, 0), Qt::RightButton);
    EXPECT_EQ(boardRows(game()), dealt) << "the last game's snapshot came back";
    setBoard(game(), Ordinary);
    press(centre(0, 13)), press(centre(0, 13), Qt::RightButton);
    EXPECT_EQ(std::tuple(boardRows(game()), game().Points, scoreBytes().left(24)), std::tuple(fullRows(Ordinary), 0, entered));
}

TEST_F(Window, KeysActOnTheirRealReleaseWhicheverWidgetHasTheFocus)
{
    start();
    window->picBox->setFocusPolicy(Qt::StrongFocus), window->picBox->setFocus();
    game().Points = 77;
    keyRelease(Qt::Key_Space, {}, true);  // auto-repeat
    EXPECT_EQ(game().Points, 77);
    QTest::keyRelease(window->picBox, Qt::Key_Space);
    EXPECT_EQ(game().Points, 0);

    const auto others = [&] { keyRelease(Qt::Key_Home), keyRelease(Qt::Key_Home, Qt::ShiftModifier | Qt::ControlModifier), keyRelease(Qt::Key_End, Qt::ShiftModifier); };
    EXPECT_EQ(framesDuring(others), 0);
    EXPECT_EQ(scoreBytes(), QByteArray());
    EXPECT_EQ(framesDuring([&] { keyRelease(Qt::Key_Home, Qt::ShiftModifier | Qt::KeypadModifier); }), 1);
    EXPECT_EQ(scoreBytes(), (QByteArray("Anynomous1") + QByteArray(10, ' ') + QByteArray(4, '\0')).repeated(5));

    QSignalSpy quit(window.get(), &frmMain::quitRequested);
    EXPECT_EQ(framesDuring([&] { keyRelease(Qt::Key_Escape, Qt::ShiftModifier); }), 0);
    EXPECT_EQ(quit.count(), 1);
    game().Points = 77;
    keyRelease(Qt::Key_Space);  // nothing acts once the program is ending
    EXPECT_EQ(game().Points, 77);
}

} // namespace
} // namespace tilzo
