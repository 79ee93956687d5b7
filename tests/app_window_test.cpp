// The game window on the offscreen platform, driven by real events, with high.dat
// in a folder of its own and the dialogs answered by the test.
#include "app/Dialogs.h"
#include "app/PictureBox.h"
#include "app/frmMain.h"
#include "game_board.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace tilzo::test {
namespace {

class AnsweringDialogs : public Dialogs {
public:
    std::function<void()> onAsk = [] {};
    QStringList boxes;  // "title: text"
    QString askName(QWidget*) override { return onAsk(), QStringLiteral("  Ann  "); }
    void showError(QWidget*, const QString& text, const QString& title) override { boxes << title + ": " + text; }
};

// Two 1s in row 13 with blocks above them that fall, and 4s whose columns close up.
const Rows Ordinary = {"1", "2", "11", "23", "1145..........44"};
const QByteArray AnnPadded = QByteArray("Ann") + QByteArray(17, ' ');

class Window : public ::testing::Test {
protected:
    void SetUp() override { window = std::make_unique<frmMain>(random, dialogs, programDir.path(), userDir.path()); }
    void start()
    {
        window->Form_Load();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QByteArray scoreBytes() const
    {
        QFile file(programDir.filePath("high.dat"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }
    int framesDuring(const std::function<void()>& action)
    {
        QSignalSpy spy(window->picBox, &PictureBox::presented);
        action();
        return static_cast<int>(spy.count());
    }
    // A real press on the centre of a cell of the frame, as the window shows it at its own size.
    void press(QPoint cell, Qt::MouseButton button = Qt::LeftButton, QEvent::Type type = QEvent::MouseButtonPress)
    {
        const QPoint at = (QPoint(62, 62) + 16 * cell) * 367 / 364;
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
    std::unique_ptr<frmMain> window;
};

TEST_F(Window, StartUpAsksTheNameFirstThenLoadsTheTableDealsAndPresentsOneFrame)
{
    dialogs.onAsk = [&] {
        EXPECT_FALSE(window->isVisible() || QFile::exists(programDir.filePath("high.dat")) || window->Initialized);
        EXPECT_EQ(game().Map[0][0], 0);
    };
    EXPECT_EQ(framesDuring([&] { window->blt(); }), 0);
    EXPECT_EQ(window->picBox->geometry(), QRect(0, 0, 368, 424));  // as designed, until shown
    EXPECT_EQ(framesDuring([&] { window->Form_Load(); }), 1);
    EXPECT_EQ(window->PlayerName.toLatin1(), AnnPadded);
    EXPECT_EQ(scoreBytes(), QByteArray());  // created empty
    // A second run, installed: seeded from the clock before its first deal, and nothing beside the program.
    const QDir prefix(userDir.filePath("usr"));
    prefix.mkpath("games"), prefix.mkpath("share/applications");
    QFile(prefix.filePath("share/applications/org.tilzo.Tilzo.desktop")).open(QIODevice::WriteOnly);
    Random other;
    dialogs.onAsk = [] {};
    frmMain second(other, dialogs, prefix.filePath("games"), userDir.path());
    second.Form_Load();
    EXPECT_NE(boardRows(second.game), boardRows(game()));
    EXPECT_EQ(QDir(prefix.filePath("games")).isEmpty(), true);
    EXPECT_TRUE(QFile::exists(userDir.filePath("high.dat")));
    window->show();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tilzo v1.02"));
    EXPECT_EQ(window->maximumSize(), QSize(367, 423));
    EXPECT_EQ(window->minimumSize(), QSize(367, 423));
    EXPECT_EQ(window->picBox->geometry(), QRect(0, 0, 367, 423));
}

TEST_F(Window, StartUpWithoutItsTilesStopsBeforeAnyFrame)
{
    window->graphics = Graphics(BitmapPaths{QStringLiteral(":/bitmaps/100"), QStringLiteral(":/no/101")});
    EXPECT_THROW(window->Form_Load(), DrawError);
    EXPECT_TRUE(window->picBox->screen().isNull());
}

TEST_F(Window, AFailingFrameShowsTheErrorBoxOncePerCallAndKeepsThePicture)
{
    start();
    const QImage shown = window->picBox->screen();
    window->graphics.BackBuffer.release();
    EXPECT_EQ(framesDuring([&] { window->blt(), press({0, 0}, Qt::RightButton); }), 0);
    const QString box = QStringLiteral("error: There was an error while redrawing the screen.");
    EXPECT_EQ(dialogs.boxes, QStringList({box, box}));
    EXPECT_EQ(window->picBox->screen(), shown);
}

TEST_F(Window, APressLandsOnTheFramePixelDrawnUnderItAtAnySize)
{
    start();
    QImage coded(FrameSize, QImage::Format_RGB32);  // every pixel tells its own position
    for (int y = 0; y < coded.height(); ++y)
        for (int x = 0; x < coded.width(); ++x)
            coded.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x >> 8) | (y >> 8) << 4));
    ASSERT_TRUE(coded.save(programDir.filePath("coded.png")));
    QPoint landed;
    QObject::connect(window->picBox, &PictureBox::pressed, [&](int, int, double x, double y) { landed = QPoint(x, y); });
    EXPECT_EQ(framesDuring([&] { window->setFixedSize(734, 846); }), 1);  // a resize presents the frame again
    window->Initialized = false;  // the presses only report where they land
    const qreal ratio = window->picBox->devicePixelRatioF();  // 2 in the high-DPI run of this test
    for (const QSize size : {QSize(367, 423), QSize(734, 846) / ratio}) {
        window->setFixedSize(size);
        EXPECT_EQ(window->picBox->geometry(), QRect(QPoint(0, 0), size));
        window->picBox->present(Surface::fromBitmap(programDir.filePath("coded.png"), FrameSize));
        const QImage shown = window->picBox->screen();
        ASSERT_EQ(shown.size(), size * ratio);
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb pixel = shown.pixel(x, y);
                const QPoint drawn(qRed(pixel) | (qBlue(pixel) & 0xF) << 8, qGreen(pixel) | (qBlue(pixel) >> 4) << 8);
                if (QRect(52, 52, 260, 260).contains(drawn)) {  // the board and a margin
                    const QPointF at = QPointF(x + 0.5, y + 0.5) / ratio;  // the middle of the screen pixel
                    QMouseEvent event(QEvent::MouseButtonPress, at, window->picBox->mapToGlobal(at), Qt::LeftButton,
                                      Qt::LeftButton, Qt::NoModifier);
                    QApplication::sendEvent(window->picBox, &event);
                    ASSERT_EQ(landed, drawn) << "pressed at " << x << "," << y << " of " << shown.width();
                }
            }
        }
    }
}

TEST_F(Window, EveryPressPresentsOneFrameAndOnlyTheWrittenBoardAreaMakesMoves)
{
    start();
    // frame pixel, the cell of the one pair on the board, whether the press takes it
    const std::tuple<QPoint, QPoint, bool> cases[] = {
        {{55, 55}, {0, 0}, true},     {{70, 55}, {1, 0}, true},     {{69, 55}, {1, 0}, false},
        {{307, 306}, {15, 15}, true}, {{54, 60}, {0, 0}, false},    {{60, 54}, {0, 0}, false},
        {{308, 60}, {15, 0}, false},  {{309, 60}, {15, 0}, false},  {{60, 307}, {0, 15}, false},
    };
    for (const auto& [pixel, cell, moves] : cases) {
        for (int c = 0; c < BoardSize; ++c)
            for (int r = 0; r < BoardSize; ++r)
                game().Map[c][r] = static_cast<std::uint8_t>(1 + (c + r) % 2);
        game().Map[cell.x()][cell.y()] = game().Map[cell.x() == 15 ? 14 : cell.x() + 1][cell.y()] = 3;
        game().Map[7][7] = game().Map[7][8] = 4;  // the game goes on
        game().Points = 0;
        EXPECT_EQ(framesDuring([&] { window->picBox_MouseDown(1, 0, pixel.x(), pixel.y()); }), 1);
        EXPECT_EQ(game().Points == 10, moves) << pixel.x() << "," << pixel.y();
    }
}

TEST_F(Window, AMoveRemovesSettlesThenLooksForAMoveAndCanBeTakenBackFromAnywhere)
{
    start();
    setBoard(game(), Ordinary);
    press({0, 13}, Qt::MiddleButton);
    press({5, 5});  // empty
    EXPECT_EQ(boardRows(game()), fullRows(Ordinary));
    press({1, 13}, Qt::LeftButton, QEvent::MouseButtonDblClick);  // a quick second press is a press
    EXPECT_EQ(game().Points, 10);
    EXPECT_EQ(boardRows(game()), fullRows({"1", "2", "23", "114544"}));
    const QPoint emptied = QPoint(62, 238) * 367 / 364;  // cell (0, 11), which the fall emptied
    EXPECT_EQ(window->picBox->screen().pixel(emptied),
              window->graphics.BackgroundSurf.image().pixel(window->picBox->framePosition(emptied)));
    press({-3, 20}, Qt::RightButton);  // below the board
    EXPECT_EQ(std::pair(boardRows(game()), game().Points), std::pair(fullRows(Ordinary), 0));

    setBoard(game(), {"1221"});  // only settling brings the 1s together: the game goes on
    press({1, 15});
    EXPECT_FALSE(game().GameOver);
}

TEST_F(Window, TheLastMoveEndsTheGameAndEntersTheScoreOnceAndANewGameStartsWithoutUndo)
{
    start();
    setBoard(game(), {"1233"});  // taking the 3s leaves 1 and 2 apart; 3, 4 and 5 are gone
    EXPECT_EQ(framesDuring([&] { press({2, 15}); }), 1);
    EXPECT_TRUE(game().GameOver);
    const QByteArray entered = AnnPadded + QByteArray("\xA2\x3A\0\0", 4);  // 15010
    EXPECT_EQ(scoreBytes(), entered + QByteArray(96, '\0'));
    const QImage frame = window->graphics.BackBuffer.image();
    EXPECT_NE(frame.copy(130, 130, 80, 28), window->graphics.BackgroundSurf.image().copy(130, 130, 80, 28));

    const Rows over = boardRows(game());
    EXPECT_EQ(framesDuring([&] { press({0, 15}), press({0, 15}, Qt::RightButton); }), 2);
    EXPECT_EQ(std::pair(boardRows(game()), game().Points), std::pair(over, 15010));

    EXPECT_EQ(framesDuring([&] { keyRelease(Qt::Key_Space, Qt::ControlModifier | Qt::AltModifier); }), 1);
    EXPECT_EQ(std::tuple(game().GameOver, game().Points, game().Bonus), std::tuple(false, 0, 0));
    const Rows dealt = boardRows(game());
    press({0, 0}, Qt::RightButton);
    EXPECT_EQ(boardRows(game()), dealt) << "the last game's snapshot came back";
    setBoard(game(), Ordinary);
    press({0, 13});
    press({0, 13}, Qt::RightButton);
    EXPECT_EQ(std::pair(boardRows(game()), game().Points), std::pair(fullRows(Ordinary), 0));
    EXPECT_EQ(scoreBytes().left(24), entered);
}

TEST_F(Window, KeysActOnTheirRealReleaseWhicheverWidgetHasTheFocus)
{
    start();
    window->picBox->setFocusPolicy(Qt::StrongFocus);
    window->picBox->setFocus();
    game().Points = 77;
    keyRelease(Qt::Key_Space, {}, true);  // auto-repeat
    EXPECT_EQ(game().Points, 77);
    QTest::keyRelease(window->picBox, Qt::Key_Space);
    EXPECT_EQ(game().Points, 0);

    EXPECT_EQ(framesDuring([&] {
        keyRelease(Qt::Key_Home), keyRelease(Qt::Key_Home, Qt::ShiftModifier | Qt::ControlModifier);
        keyRelease(Qt::Key_End, Qt::ShiftModifier);
    }), 0);
    EXPECT_EQ(scoreBytes(), QByteArray());
    EXPECT_EQ(framesDuring([&] { keyRelease(Qt::Key_Home, Qt::ShiftModifier); }), 1);
    EXPECT_EQ(scoreBytes(), (QByteArray("Anynomous1") + QByteArray(10, ' ') + QByteArray(4, '\0')).repeated(5));

    QSignalSpy quit(window.get(), &frmMain::quitRequested);
    EXPECT_EQ(framesDuring([&] { keyRelease(Qt::Key_Escape, Qt::ShiftModifier); }), 0);
    EXPECT_EQ(quit.count(), 1);
    game().Points = 77;
    keyRelease(Qt::Key_Space);  // nothing acts once the program is ending
    EXPECT_EQ(game().Points, 77);
}

} // namespace
} // namespace tilzo::test
