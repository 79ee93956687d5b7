// The game's start-up, timed for the start-up benchmark: main() as the game has it,
// with the name prompt answered as soon as it has been painted. Once the first frame
// is on screen it plays one game to its end through the mouse handler, then quits.
//
// Prints one line of names and values, times in ns of the monotonic clock:
//   main <t> prompt <t> confirmed <t> frame <t> frame_peak_kb <kb> game_peak_kb <kb>
// With the argument "bare", an empty window of the game's size instead: the floor.
#include "MonotonicClock.h"
#include "core/shell/Window.h"
#include "frontends/qt/MainWindow.h"
#include "frontends/qt/PictureBox.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QInputDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace tilzo {
namespace {

// The high-water mark of this process's resident memory. Not getrusage's maxrss,
// which keeps the peak of the process that was replaced at exec: here the benchmark.
long peakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// Watches every paint of the application: the first one inside the name prompt
// answers it, the first one of the frame's widget marks the frame presented.
// Both act from the event loop, after the paint has been flushed to the window.
class Timeline : public QObject {
public:
    long long main = now();
    long long prompt = 0;
    long long confirmed = 0;
    long long frame = 0;
    QWidget* frameWidget = nullptr;
    std::function<void()> afterFrame;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* dialog = widget ? qobject_cast<QInputDialog*>(widget->window()) : nullptr;
        if (dialog && prompt == 0) {
            prompt = now();
            QMetaObject::invokeMethod(
                this,
                [this, dialog] {
                    confirmed = now();
                    dialog->accept();
                },
                Qt::QueuedConnection);
        } else if (widget && widget == frameWidget && frame == 0) {
            QMetaObject::invokeMethod(
                this,
                [this] {
                    frame = now();
                    afterFrame();
                },
                Qt::QueuedConnection);
        }
        return false;
    }
};

// Left clicks, each on the first block with a neighbour of its colour, until the game
// ends; a board without such a block ends at the first click on any block.
void playOneGame(frmMain& window)
{
    while (!window.game.GameOver) {
        int column = 0;
        int row = BoardSize - 1;
        for (int c = 0; c < BoardSize; ++c) {
            for (int r = 0; r < BoardSize; ++r) {
                const std::uint8_t code = window.game.Map[c][r];
                if (code != 0 && (window.game.Map[c + 1][r] == code || window.game.Map[c][r + 1] == code)) {
                    column = c;
                    row = r;
                    c = BoardSize;
                    break;
                }
            }
        }
        window.picBox_MouseDown(1, 0, 62 + 16 * column, 62 + 16 * row);
        QCoreApplication::processEvents();
    }
}

} // namespace
} // namespace tilzo

int main(int argc, char* argv[])
{
    using namespace tilzo;
    Timeline timeline;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tilzo"));
    app.installEventFilter(&timeline);
    // A probe that hangs must not hang the benchmark.
    QTimer::singleShot(10000, &app, [] { QCoreApplication::exit(2); });

    long framePeak = 0;
    long gamePeak = 0;
    if (argc > 1 && QByteArray(argv[1]) == "bare") {
        QWidget bare;
        bare.setFixedSize(WindowInnerSize.width, WindowInnerSize.height);
        timeline.frameWidget = &bare;
        timeline.afterFrame = [&] {
            framePeak = gamePeak = peakKb();
            QCoreApplication::exit(0);
        };
        bare.show();
        if (app.exec() != 0)
            return 1;
        timeline.prompt = timeline.confirmed = timeline.main;
    } else {
        // The file goes to a folder of its own, not beside the probe.
        QTemporaryDir folder;
        Random random;
        ModalDialogs dialogs;
        MainWindow window(random, dialogs, {folder.path().toStdString(), {}, {}, true});
        timeline.frameWidget = window.picBox;
        timeline.afterFrame = [&] {
            framePeak = peakKb();
            playOneGame(window.form);
            gamePeak = peakKb();
            QCoreApplication::exit(0);
        };
        window.form.Form_Load();
        window.show();
        if (app.exec() != 0)
            return 1;
    }
    std::printf("main %lld prompt %lld confirmed %lld frame %lld frame_peak_kb %ld game_peak_kb %ld\n",
                timeline.main, timeline.prompt, timeline.confirmed, timeline.frame, framePeak, gamePeak);
    return 0;
}
