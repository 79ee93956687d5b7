#include "app_window_harness.h"

namespace tilzo::test {
namespace {

using Window = WindowTest;

TEST_F(Window, StartUpAsksTheNameFirstThenLoadsTheTableDealsAndPresentsOneFrame)
{
    dialogs.reply = QStringLiteral("  Ann  ");
    dialogs.onAsk = [&] {
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(QFile::exists(programDir.filePath(QStringLiteral("high.dat"))));
        EXPECT_EQ(window->game.Map[0][0], 0);
        EXPECT_FALSE(window->Initialized);
    };
    construct();
    EXPECT_EQ(framesDuring([&] { window->Form_Load(); }), 1);
    EXPECT_EQ(window->PlayerName, QStringLiteral("Ann") + QString(17, u' '));
    EXPECT_EQ(scoreBytes(), QByteArray());  // created empty
    EXPECT_TRUE(window->Initialized);
    EXPECT_NE(window->game.Map[15][15], 0);
    EXPECT_TRUE(dialogs.boxes.isEmpty());
}

TEST_F(Window, AMissingBitmapStopsStartUpNamingIt)
{
    construct();
    window->graphics = Graphics(BitmapPaths{QStringLiteral(":/bitmaps/100"), QStringLiteral(":/no/101")});
    try {
        window->Form_Load();
        ADD_FAILURE() << "start-up went on without its tiles";
    } catch (const std::exception& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QStringLiteral("101")));
    }
    EXPECT_TRUE(window->picBox->screen().isNull());
}

TEST_F(Window, HasItsTitleAndAFixedInnerSizeThatThePictureBoxFills)
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

TEST_F(Window, AfterAResizeThePictureBoxFillsItAndShowsTheFrameScaled)
{
    start();
    EXPECT_EQ(framesDuring([&] { window->setFixedSize(728, 840); }), 1);
    EXPECT_EQ(window->picBox->geometry(), QRect(0, 0, 728, 840));
    const QImage frame = window->graphics.BackBuffer.image();
    const QImage shown = window->picBox->grab().toImage();
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

TEST_F(Window, PresentsNothingBeforeStartUpAndNothingWhenAFrameFails)
{
    construct();
    EXPECT_EQ(framesDuring([&] { window->blt(); }), 0);
    start();
    const QImage shown = window->picBox->screen();
    window->graphics.BackBuffer.release();
    EXPECT_EQ(framesDuring([&] {
        window->blt();
        press({10, 10});
    }), 0);
    const QString box = QStringLiteral("error: There was an error while redrawing the screen.");
    EXPECT_EQ(dialogs.boxes, QStringList({box, box}));  // once per failing call
    EXPECT_EQ(window->picBox->screen(), shown);
}

} // namespace
} // namespace tilzo::test
