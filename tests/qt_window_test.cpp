// The Qt window on the offscreen platform, driven by real events, with high.dat in a
// folder of its own and the dialogs answered by the test.
#include "frontends/qt/MainWindow.h"
#include "frontends/qt/PictureBox.h"
#include "tests/support/Rows.h"
#include "tests/support/ScoreFileCheck.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <numeric>

namespace tilzo {
namespace {

struct AnsweringDialogs : Dialogs {
    // One letter Windows-1252 has and one it lacks.
    QString askName(QWidget*) override { return QStringLiteral("Zo\u00eb \u0141ukasz"); }
    void showError(QWidget*, const QString&, const QString&) override { }
};

struct Window : ::testing::Test {
    void SetUp() override
    {
        window->form.Form_Load();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void key(QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers mods = {}, bool autoRepeat = false)
    {
        QKeyEvent event(type, key, mods, QString(), autoRepeat);
        QApplication::sendEvent(window->picBox, &event); // reaches the window from the focused box
    }
    // Through the window system, as a real press comes: Qt rounds it on the way to the widget.
    void press(QPointF at, Qt::MouseButton button = Qt::LeftButton)
    {
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            qt_handleMouseEvent(window->windowHandle(), at, window->mapToGlobal(at),
                                type == QEvent::MouseButtonPress ? button : Qt::NoButton, button, type, {},
                                ++time);
    }

    int time = 0;
    support::TempFolder folder;
    Random random;
    AnsweringDialogs dialogs;
    std::unique_ptr<MainWindow> window{new MainWindow(random, dialogs, {folder.path, {}, {}, true})};
};

// The prompt's answer reaches the game whole. A resize fits the picture box to the window and presents
// once; a paint shows that frame, scaled.
TEST_F(Window, TheNameArrivesWholeAndTheWindowShowsTheFrameOverItsWholeInnerArea)
{
    EXPECT_EQ(window->form.PlayerName, U"Zo\u00eb \u0141ukasz          ");
    QSignalSpy frames(window->picBox, &PictureBox::presented);
    window->setFixedSize(400, 450);
    EXPECT_EQ(std::tuple(frames.count(), window->picBox->geometry()), std::tuple(1, QRect(0, 0, 400, 450)));
    const Surface& screen = window->picBox->screen();
    const QImage presented(reinterpret_cast<const uchar*>(screen.pixels()), screen.size().width,
                           screen.size().height, QImage::Format_RGB32);
    EXPECT_TRUE(window->picBox->grab().toImage().convertToFormat(QImage::Format_RGB32) == presented);
}

// Qt's buttons and keys reach the handlers as the game numbers them, keys from whichever widget has the
// focus; a held key's repeated releases do not count, nor does the keypad flag.
TEST_F(Window, ButtonsAndKeysReachTheHandlersAsTheGameNumbersThem)
{
    Game& game = window->form.game;
    support::setBoard(game, {"2", "11", "23"});
    press({62, 286}); // cell (0, 14)
    EXPECT_EQ(game.Points, 10);
    press({10, 10}, Qt::RightButton);
    EXPECT_EQ(support::boardRows(game), support::fullRows({"2", "11", "23"}));

    window->picBox->setFocusPolicy(Qt::StrongFocus);
    window->picBox->setFocus();
    game.Points = 77;
    key(QEvent::KeyPress, Qt::Key_Space);
    key(QEvent::KeyRelease, Qt::Key_Space, {}, true); // auto-repeat
    EXPECT_EQ(game.Points, 77);
    key(QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(game.Points, 0);

    for (const Qt::KeyboardModifiers held :
         {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier,
          Qt::KeyboardModifiers(Qt::AltModifier)}) {
        key(QEvent::KeyPress, Qt::Key_Home);
        key(QEvent::KeyRelease, Qt::Key_Home, held);
    }
    EXPECT_EQ(support::readFile(folder.path / "high.dat"), "") << "Ctrl+Home or Alt+Home reset the table";
    key(QEvent::KeyPress, Qt::Key_Home);
    key(QEvent::KeyRelease, Qt::Key_Home, Qt::ShiftModifier | Qt::KeypadModifier);
    EXPECT_EQ(support::readFile(folder.path / "high.dat").substr(0, 10), "Anynomous1");

    QSignalSpy quit(window.get(), &MainWindow::quitRequested);
    key(QEvent::KeyPress, Qt::Key_Escape);
    key(QEvent::KeyRelease, Qt::Key_Escape, Qt::ControlModifier);
    EXPECT_EQ(quit.count(), 1);
}

// Every device pixel over the board, pressed in its middle at the ratio this run has (1, 1.5, 2 and 2.5 in
// the suite), lands on the frame pixel drawn there.
TEST_F(Window, APressLandsOnTheFramePixelDrawnUnderIt)
{
    std::vector<std::uint32_t> coded(std::size_t(FrameSize.width) * FrameSize.height);
    std::iota(coded.begin(), coded.end(), 0u); // every pixel holds its own position
    window->picBox->present(Surface::fromPixels(FrameSize, coded));
    window->form.Initialized = false; // the presses only report where they land
    Point landed;
    QObject::connect(window->picBox, &PictureBox::pressed, [&](int, int, Point at) { landed = at; });
    const Surface& shown = window->picBox->screen();
    const qreal ratio = window->devicePixelRatioF();
    for (int y = 0; y < shown.size().height; ++y)
        for (int x = 0; x < shown.size().width; ++x) {
            const int at = int(shown.pixel(x, y) & 0xFFFFFF);
            const Point drawn{at % FrameSize.width, at / FrameSize.width};
            if (drawn.x < 52 || drawn.x > 311 || drawn.y < 52 || drawn.y > 311)
                continue; // the board and a margin
            press(QPointF(x + 0.5, y + 0.5) / ratio);
            ASSERT_EQ(landed, drawn) << "pressed at " << x << "," << y << " of " << shown.size().width;
        }
}

} // namespace
} // namespace tilzo
