#include <benchmark/benchmark.h>

#include "core/render/Frame.h"
#include "frontends/qt/MainWindow.h"
#include "frontends/qt/PictureBox.h"

#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <stdexcept>

namespace tilzo {
namespace {

class NamedPlayer : public Dialogs {
public:
    QString askName(QWidget*) override { return QStringLiteral("Bench"); }
    void showError(QWidget*, const QString&, const QString&) override { }
};

// A folder of its own for high.dat.
struct Folder {
    QTemporaryDir made;
    std::filesystem::path path = made.path().toStdString();
};

// The game window, shown, with the busiest frame there is: every cell a tile, a full
// table, and the end message with the bonus.
class BusyWindow {
public:
    BusyWindow()
    {
        window.form.Form_Load();
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            throw std::runtime_error("the game window was never exposed");
        for (int column = 0; column < BoardSize; ++column)
            for (int row = 0; row < BoardSize; ++row)
                game().Map[column][row] = static_cast<std::uint8_t>(1 + (column + 2 * row) % ColourCount);
        // The last pair: taking it ends the game.
        game().Map[1][BoardSize - 1] = game().Map[0][BoardSize - 1];
        game().Play(0, BoardSize - 1);
        for (int i = 0; i < TableSize; ++i)
            window.form.scores.checkpoints(U"Player " + std::u32string(1, U'0' + i), 100000 - 1000 * i);
        game().Points = 123456;
        game().Bonus = 5000;
    }
    Game& game() { return window.form.game; }

    Folder folder;
    Random random;
    NamedPlayer dialogs;
    MainWindow window{random, dialogs, HighScores::Folders{folder.path, {}, {}, true}};
};

void FrameComposition(benchmark::State& state)
{
    BusyWindow busy;
    for (auto _ : state) {
        ComposeFrame(busy.window.form.graphics, busy.window.form.game, busy.window.form.scores);
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
        busy.window.form.blt();
        busy.window.picBox->repaint();
    }
    state.counters["width"] = busy.window.picBox->width();
    state.counters["height"] = busy.window.picBox->height();
}
BENCHMARK(FullFramePresented);

} // namespace
} // namespace tilzo
