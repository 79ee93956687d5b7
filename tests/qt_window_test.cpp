// The Qt window on the offscreen platform, driven by real events, with high.dat in a
// folder of its own and the dialogs answered by the test.
#include "frontends/qt/MainWindow.h"
#include "frontends/qt/PictureBox.h"
#include "fuzz/ScoreFileCheck.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace tilzo {
namespace {

struct AnsweringDialogs : Dialogs {
    QString askName(QWidget*) override { return QStringLiteral("Ann"); }
    void showError(QWidget*, const QString& text, const QString&) override { boxes << text; }
    QStringList boxes;
};

struct Window : ::testing::Test {
    void SetUp() override
    {
        window->form.Form_Load();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    int framesDuring(const std::function<void()>& action)
    {
        QSignalSpy spy(window->picBox, &PictureBox::presented);
        action();
        return int(spy.count());
    }
    void key(QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers mods = {}, bool autoRepeat = false)
    {
        QKeyEvent event(type, key, mods, QString(), autoRepeat);
        QApplication::sendEvent(window->picBox, &event); // reaches the window from the focused box
    }
    void press(QPointF inWindow, Qt::MouseButton button = Qt::LeftButton)
    {
        // Through the window system, as a real press comes: Qt rounds it on the way to the widget.
        qt_handleMouseEvent(window->windowHandle(), inWindow, window->mapToGlobal(inWindow), button, button,
                            QEvent::MouseButtonPress, Qt::NoModifier, ++time);
        qt_handleMouseEvent(window->windowHandle(), inWindow, window->mapToGlobal(inWindow), {}, button,
                            QEvent::MouseButtonRelease, Qt::NoModifier, ++time);
    }
    Game& game() { return window->form.game; }

    int time = 0;
    fuzz::TempFolder folder;
    Random random;
    AnsweringDialogs dialogs;
    std::unique_ptr<MainWindow> window
        = std::make_unique<MainWindow>(random, dialogs, HighScores::Folders{folder.path, {}, {}, true});
};

TEST_F(Window, TheWindowShowsTheFrameOverItsWholeInnerArea)
{
    EXPECT_EQ(window->windowTitle(), "Tilzo v1.02");
    EXPECT_EQ(window->minimumSize(), QSize(367, 423));
    EXPECT_EQ(window->maximumSize(), QSize(367, 423));
    EXPECT_EQ(window->picBox->geometry(), QRect(0, 0, 367, 423));
    EXPECT_EQ(framesDuring([&] { window->setFixedSize(400, 450); }), 1);
    EXPECT_EQ(window->picBox->geometry(), QRect(0, 0, 400, 450));
    // What a paint puts on the screen is the frame the handlers composed, scaled.
    const QImage painted = window->picBox->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const Surface& screen = window->picBox->screen();
    ASSERT_EQ(painted.size(), QSize(screen.size().width, screen.size().height));
    for (int y = 0; y < painted.height(); ++y)
        ASSERT_EQ(std::memcmp(painted.constScanLine(y), screen.pixels() + y * screen.size().width,
                              4 * screen.size().width),
                  0)
            << "row " << y;
}

TEST_F(Window, KeysActOnTheirRealReleaseWhicheverWidgetHasTheFocus)
{
    window->picBox->setFocusPolicy(Qt::StrongFocus);
    window->picBox->setFocus();
    game().Points = 77;
    key(QEvent::KeyRelease, Qt::Key_Space); // the release of a key pressed elsewhere
    key(QEvent::KeyPress, Qt::Key_Space);
    key(QEvent::KeyRelease, Qt::Key_Space, {}, true); // auto-repeat
    EXPECT_EQ(game().Points, 77);
    key(QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(game().Points, 0);

    key(QEvent::KeyPress, Qt::Key_Home);
    EXPECT_EQ(
        framesDuring([&] { key(QEvent::KeyRelease, Qt::Key_Home, Qt::ShiftModifier | Qt::KeypadModifier); }),
        1);
    EXPECT_EQ(fuzz::readFile(folder.path / "high.dat").substr(0, 10), "Anynomous1");

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
    for (std::size_t i = 0; i < coded.size(); ++i)
        coded[i] = std::uint32_t(i); // every pixel holds its own position
    window->picBox->present(Surface::fromPixels(FrameSize, coded));
    window->form.Initialized = false; // the presses only report where they land
    Point landed;
    QObject::connect(window->picBox, &PictureBox::pressed, [&](int, int, Point at) { landed = at; });
    const Surface& shown = window->picBox->screen();
    const qreal ratio = window->devicePixelRatioF();
    for (int y = 0; y < shown.size().height; ++y) {
        for (int x = 0; x < shown.size().width; ++x) {
            const int at = int(shown.pixel(x, y) & 0xFFFFFF);
            const Point drawn{at % FrameSize.width, at / FrameSize.width};
            if (drawn.x < 52 || drawn.x > 311 || drawn.y < 52 || drawn.y > 311)
                continue; // the board and a margin
            press(QPointF(x + 0.5, y + 0.5) / ratio);
            ASSERT_EQ(landed, drawn) << "pressed at " << x << "," << y << " of " << shown.size().width;
        }
    }
}

} // namespace
} // namespace tilzo
