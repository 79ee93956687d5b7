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
#include <QtEndian>

#include <gtest/gtest.h>

namespace tilzo::test {
namespace {

class AnsweringDialogs : public Dialogs {
public:
    QString reply = QStringLiteral("Tilzo");
    std::function<void()> onAsk = [] {};
    QStringList boxes;  // "title: text"

    QString askName(QWidget*) override { return onAsk(), reply; }
    void showError(QWidget*, const QString& text, const QString& title) override { boxes << title + ": " + text; }
};

// Two 1s in row 13 with blocks above them that fall, and 4s whose columns close up.
const Rows Ordinary = {"1", "2", "11", "23", "1145..........44"};

class Window : public ::testing::Test {
protected:
    void construct() { window = std::make_unique<frmMain>(random, dialogs, programDir.path(), userDir.path()); }
    void start()
    {
        construct();
        window->Form_Load();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QByteArray scoreBytes() const
    {
        QFile file(programDir.filePath("high.dat"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    int framesDuring(const std::function<void()>& action)
    {
        QSignalSpy spy(window->picBox, &PictureBox::presented);
        action();
        return static_cast<int>(spy.count());
    }
    // A real press on the centre of a cell of the frame as the window shows it at its own size.
    void press(QPoint cell, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(window->picBox, button, mods, (QPoint(62, 62) + 16 * cell) * 367 / 364);
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
    dialogs.reply = QStringLiteral("  Ann  ");
    dialogs.onAsk = [&] {
        EXPECT_FALSE(window->isVisible() || QFile::exists(programDir.filePath("high.dat")) || window->Initialized);
        EXPECT_EQ(game().Map[0][0], 0);
    };
    construct();
    EXPECT_EQ(framesDuring([&] { window->blt(); }), 0);
    EXPECT_EQ(window->picBox->geometry(), QRect(0, 0, 368, 424));  // as designed, until shown
    EXPECT_EQ(framesDuring([&] { window->Form_Load(); }), 1);
    EXPECT_EQ(window->PlayerName, QStringLiteral("Ann") + QString(17, u' '));
    EXPECT_EQ(scoreBytes(), QByteArray());  // created empty
    EXPECT_NE(game().Map[15][15], 0);
    window->show();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tilzo v1.02"));
    EXPECT_EQ(window->size(), QSize(367, 423));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(window->picBox->geometry(), QRect(0, 0, 367, 423));
    EXPECT_TRUE(dialogs.boxes.isEmpty());
}

TEST_F(Window, AMissingBitmapStopsStartUpNamingIt)
{
    construct();
    window->graphics = Graphics(BitmapPaths{QStringLiteral(":/bitmaps/100"), QStringLiteral(":/no/101")});
    try {
        window->Form_Load();
        ADD_FAILURE() << "start-up went on without its tiles";
    } catch (const DrawError& error) {
        EXPECT_TRUE(QString(error.what()).contains(":/no/101")) << error.what();
    }
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
    const Surface frame = Surface::fromBitmap(programDir.filePath("coded.png"), FrameSize);
    QPoint landed;
    QObject::connect(window->picBox, &PictureBox::pressed, [&](int, int, double x, double y) { landed = QPoint(x, y); });
    window->Initialized = false;  // the presses only report where they land
    for (const QSize size : {QSize(367, 423), QSize(734, 846)}) {
        window->setFixedSize(size);
        EXPECT_EQ(window->picBox->geometry(), QRect(QPoint(0, 0), size));
        window->picBox->present(frame);
        const QImage shown = window->picBox->screen();
        ASSERT_EQ(shown.size(), size);
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const QRgb pixel = shown.pixel(x, y);
                const QPoint drawn(qRed(pixel) | (qBlue(pixel) & 0xF) << 8, qGreen(pixel) | (qBlue(pixel) >> 4) << 8);
                if (drawn.x() < 52 || drawn.x() > 311 || drawn.y() < 52 || drawn.y() > 311)
                    continue;  // the board and a margin
                QMouseEvent event(QEvent::MouseButtonPress, QPointF(x, y), window->picBox->mapToGlobal(QPointF(x, y)),
                                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(window->picBox, &event);
                ASSERT_EQ(landed, drawn) << "pressed at " << x << "," << y << " of " << size.width();
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
    press({1, 13}, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(game().Points, 10);
    EXPECT_EQ(boardRows(game()), fullRows({"1", "2", "23", "114544"}));
    const QPoint emptied = QPoint(62, 238) * 367 / 364;  // cell (0, 11), which the fall emptied
    EXPECT_EQ(window->picBox->screen().pixel(emptied),
              window->graphics.BackgroundSurf.image().pixel(window->picBox->framePosition(emptied)));
    QTest::mouseClick(window->picBox, Qt::RightButton, {}, QPoint(10, 400));
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
    EXPECT_EQ(game().Points, 10 + 3 * 5000);
    const QByteArray bytes = scoreBytes();
    ASSERT_EQ(bytes.size(), 120);
    EXPECT_EQ(bytes.left(20), QByteArray("Tilzo") + QByteArray(15, ' '));
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 20), 15010);
    const QImage frame = window->graphics.BackBuffer.image();
    EXPECT_NE(frame.copy(130, 130, 80, 28), window->graphics.BackgroundSurf.image().copy(130, 130, 80, 28));

    const Rows over = boardRows(game());
    EXPECT_EQ(framesDuring([&] { press({0, 15}), press({0, 15}, Qt::RightButton); }), 2);
    EXPECT_EQ(std::pair(boardRows(game()), game().Points), std::pair(over, 15010));

    EXPECT_EQ(framesDuring([&] { keyRelease(Qt::Key_Space); }), 1);
    EXPECT_EQ(std::tuple(game().GameOver, game().Points, game().Bonus), std::tuple(false, 0, 0));
    const Rows dealt = boardRows(game());
    press({0, 0}, Qt::RightButton);
    EXPECT_EQ(boardRows(game()), dealt) << "the last game's snapshot came back";
    setBoard(game(), Ordinary);
    press({0, 13});
    press({0, 13}, Qt::RightButton);
    EXPECT_EQ(std::pair(boardRows(game()), game().Points), std::pair(fullRows(Ordinary), 0));
    EXPECT_EQ(scoreBytes(), bytes);
    EXPECT_TRUE(dialogs.boxes.isEmpty());
}

TEST_F(Window, KeysActOnTheirRealReleaseWhicheverWidgetHasTheFocus)
{
    start();
    for (QWidget* target : {static_cast<QWidget*>(window.get()), static_cast<QWidget*>(window->picBox)}) {
        game().Points = 77;
        target->setFocusPolicy(Qt::StrongFocus);
        target->setFocus();
        QTest::keyRelease(target, Qt::Key_Space);
        EXPECT_EQ(game().Points, 0);
    }
    game().Points = 77;
    keyRelease(Qt::Key_Space, {}, true);  // auto-repeat
    EXPECT_EQ(game().Points, 77);
    keyRelease(Qt::Key_Space, Qt::ControlModifier | Qt::AltModifier);
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

TEST_F(Window, TheSecondPressOfADoubleClickIsAMove)
{
    start();
    setBoard(game(), Ordinary);
    press({15, 15});
    const QPoint at = QPoint(62, 270) * 367 / 364;
    QMouseEvent second(QEvent::MouseButtonDblClick, at, window->picBox->mapToGlobal(at), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->picBox, &second);
    EXPECT_EQ(game().Points, 20);
}

} // namespace
} // namespace tilzo::test
