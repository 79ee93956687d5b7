#include "app_window_harness.h"

#include <QImage>

namespace tilzo::test {
namespace {

using StartUp = WindowTest;

TEST_F(StartUp, AsksForTheNameBeforeAnythingElseAndShowsTheWindowLast)
{
    bool checked = false;
    dialogs.reply = QStringLiteral("  Ann  ");
    dialogs.onAsk = [&] {
        checked = true;
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(QFile::exists(scoreFile()));  // the table is loaded after the prompt
        EXPECT_EQ(window->game.Map[0][0], 0);      // and the board dealt after it
        EXPECT_FALSE(window->Initialized);
    };
    construct();
    const int frames = framesDuring([&] { window->Form_Load(); });

    EXPECT_TRUE(checked);
    EXPECT_EQ(window->PlayerName, QStringLiteral("Ann") + QString(17, u' '));
    EXPECT_TRUE(QFile::exists(scoreFile()));
    EXPECT_TRUE(window->Initialized);
    EXPECT_FALSE(window->game.GameOver);
    EXPECT_EQ(window->game.Points, 0);
    EXPECT_EQ(window->game.Bonus, 0);
    for (int c = 0; c < BoardSize; ++c)
        for (int r = 0; r < BoardSize; ++r)
            ASSERT_TRUE(window->game.Map[c][r] >= 1 && window->game.Map[c][r] <= 5);
    EXPECT_EQ(frames, 1);
    EXPECT_TRUE(dialogs.boxes.isEmpty());
}

TEST_F(StartUp, CancelledPromptGivesABlankName)
{
    dialogs.reply = QString();
    start();
    EXPECT_EQ(window->PlayerName, QString(20, u' '));
}

TEST_F(StartUp, AMissingBitmapStopsStartUpNamingIt)
{
    construct();
    window->graphics = Graphics(BitmapPaths{QStringLiteral(":/bitmaps/100"), QStringLiteral(":/no/101")});
    try {
        window->Form_Load();
        FAIL() << "start-up went on without its tiles";
    } catch (const std::exception& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QStringLiteral("101")));
    }
    EXPECT_FALSE(window->Initialized);
    EXPECT_TRUE(window->picBox->presentedFrame().isNull());
}

using Window = WindowTest;

TEST_F(Window, HasItsTitleAndAFixedInnerSizeFilledByThePictureBox)
{
    construct();
    EXPECT_EQ(window->picBox->geometry(), QRect(0, 0, 368, 424));  // as designed, until shown
    start();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tilzo v1.02"));
    EXPECT_EQ(window->size(), QSize(367, 423));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(window->picBox->geometry(), QRect(0, 0, 367, 423));
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(Window, AResizeMakesThePictureBoxFillItAndShowsTheFrameScaled)
{
    start();
    int frames = framesDuring([&] { window->setFixedSize(728, 840); });
    EXPECT_EQ(window->picBox->geometry(), QRect(0, 0, 728, 840));
    EXPECT_EQ(frames, 1);

    const QImage frame = window->picBox->presentedFrame();
    const QImage shown = window->picBox->grab().toImage();
    ASSERT_EQ(shown.size(), QSize(728, 840));
    for (const QPoint p : {QPoint(0, 0), QPoint(62, 62), QPoint(150, 340), QPoint(300, 200), QPoint(363, 419)}) {
        EXPECT_EQ(shown.pixel(2 * p.x(), 2 * p.y()), frame.pixel(p));
        EXPECT_EQ(shown.pixel(2 * p.x() + 1, 2 * p.y() + 1), frame.pixel(p));
    }
}

TEST_F(Window, KeyReleasesActWhicheverWidgetHasTheFocus)
{
    start();
    for (QWidget* target : {static_cast<QWidget*>(window.get()), static_cast<QWidget*>(window->picBox)}) {
        window->game.Points = 77;
        target->setFocusPolicy(Qt::StrongFocus);
        target->setFocus();
        QTest::keyRelease(target, Qt::Key_Space);
        EXPECT_EQ(window->game.Points, 0);
    }
}

using Frame = WindowTest;

TEST_F(Frame, NothingIsPresentedBeforeStartUpHasMadeTheSurfaces)
{
    construct();
    EXPECT_EQ(framesDuring([&] { window->blt(); }), 0);
    EXPECT_TRUE(window->picBox->presentedFrame().isNull());
}

TEST_F(Frame, AFailingDrawingStepShowsTheBoxOncePerCallAndPresentsNothing)
{
    start();
    const QImage shown = window->picBox->presentedFrame();
    window->graphics.BackBuffer.release();

    EXPECT_EQ(framesDuring([&] {
        window->blt();
        press({10, 10});
    }), 0);
    const QString box = QStringLiteral("error: There was an error while redrawing the screen.");
    EXPECT_EQ(dialogs.boxes, QStringList({box, box}));
    EXPECT_EQ(window->picBox->presentedFrame(), shown);
}

} // namespace
} // namespace tilzo::test
