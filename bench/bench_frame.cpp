#include <benchmark/benchmark.h>

#include "app/Dialogs.h"
#include "app/PictureBox.h"
#include "app/frmMain.h"
#include "render/Frame.h"

#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

namespace tilzo {
namespace {

class NamedPlayer : public Dialogs {
public:
    QString askName(QWidget*) override { return QStringLiteral("Bench"); }
    void showError(QWidget*, const QString&, const QString&) override {}
};

// The game window, shown, with the busiest frame there is: every cell a tile, a full
// table, and the end message with the bonus.
class BusyWindow {
public:
    BusyWindow()
    {
        window.Form_Load();
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            throw std::runtime_error("the game window was never exposed");
        for (int column = 0; column < BoardSize; ++column)
            for (int row = 0; row < BoardSize; ++row)
                window.game.Map[column][row] = static_cast<std::uint8_t>(1 + (column + 2 * row) % ColourCount);
        for (int i = 0; i < TableSize; ++i)
            window.scores.checkpoints(fixedName(QStringLiteral("Player %1").arg(i)), 100000 - 1000 * i);
        window.game.Points = 123456;
        window.game.Bonus = 5000;
        window.game.GameOver = true;
    }

    QTemporaryDir folder;
    Random random;
    NamedPlayer dialogs;
    frmMain window{random, dialogs, folder.path(), folder.path()};
};

void FrameComposition(benchmark::State& state)
{
    BusyWindow busy;
    for (auto _ : state) {
        ComposeFrame(busy.window.graphics, busy.window.game, busy.window.scores);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(FrameComposition);

// What every event that changes the picture costs: blt composes the frame and copies
// it, scaled, onto the picture box; the repaint puts it into the window and flushes.
void FullFramePresented(benchmark::State& state)
{
    BusyWindow busy;
    for (auto _ : state) {
        busy.window.blt();
        busy.window.picBox->repaint();
    }
    state.counters["width"] = busy.window.picBox->width();
    state.counters["height"] = busy.window.picBox->height();
}
BENCHMARK(FullFramePresented);

} // namespace
} // namespace tilzo
