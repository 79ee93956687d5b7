#include "MonotonicClock.h"

#include <benchmark/benchmark.h>

#include <QMap>
#include <QProcess>

#include <algorithm>
#include <cstdio>

namespace tilzo {
namespace {

// One run of the start-up probe: its line of names and values, plus "spawned",
// the moment just before the process was started. Empty when the run failed; what
// the probe said on stderr is shown only then.
QMap<QString, double> runProbe(const char* platform, bool bare)
{
    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(platform));
    probe.setProcessEnvironment(environment);
    const long long spawned = now();
    probe.start(QStringLiteral(TILZO_STARTUP_PROBE),
                bare ? QStringList{QStringLiteral("bare")} : QStringList{});
    if (!probe.waitForFinished(15000) || probe.exitStatus() != QProcess::NormalExit
        || probe.exitCode() != 0) {
        std::fprintf(stderr, "%s", probe.readAllStandardError().constData());
        return {};
    }
    const QStringList words
        = QString::fromLatin1(probe.readAllStandardOutput()).split(u' ', Qt::SkipEmptyParts);
    QMap<QString, double> values{{QStringLiteral("spawned"), double(spawned)}};
    for (qsizetype i = 0; i + 1 < words.size(); i += 2)
        values[words[i]] = words[i + 1].toDouble();
    return values;
}

double msBetween(const QMap<QString, double>& run, const char* from, const char* to)
{
    return (run[QLatin1String(to)] - run[QLatin1String(from)]) / 1e6;
}

// Process start to the first frame on screen, less the time the prompt waited for
// its answer (here only the turn of the event loop that answers it). Counters
// split it up; the peaks are the probe's resident memory at the first frame and
// after a whole game.
void StartUp(benchmark::State& state, const char* platform, bool bare)
{
    if (QByteArray(platform) == "xcb" && qEnvironmentVariableIsEmpty("DISPLAY")) {
        state.SkipWithError("no X display (make bench starts one with xvfb-run when it can)");
        return;
    }
    double toMain = 0;
    double toPrompt = 0;
    double confirmToFrame = 0;
    double framePeak = 0;
    double gamePeak = 0;
    for (auto _ : state) {
        const QMap<QString, double> run = runProbe(platform, bare);
        if (run.isEmpty()) {
            state.SkipWithError("the start-up probe failed");
            return;
        }
        state.SetIterationTime((msBetween(run, "spawned", "frame") - msBetween(run, "prompt", "confirmed"))
                               / 1e3);
        toMain += msBetween(run, "spawned", "main");
        toPrompt += msBetween(run, "spawned", "prompt");
        confirmToFrame += msBetween(run, "confirmed", "frame");
        framePeak = std::max(framePeak, run[QStringLiteral("frame_peak_kb")] / 1024);
        gamePeak = std::max(gamePeak, run[QStringLiteral("game_peak_kb")] / 1024);
    }
    using benchmark::Counter;
    state.counters["to_main_ms"] = Counter(toMain, Counter::kAvgIterations);
    if (!bare) {
        state.counters["to_prompt_ms"] = Counter(toPrompt, Counter::kAvgIterations);
        state.counters["confirm_to_frame_ms"] = Counter(confirmToFrame, Counter::kAvgIterations);
        state.counters["game_peak_MB"] = gamePeak;
    }
    state.counters["frame_peak_MB"] = framePeak;
}
BENCHMARK_CAPTURE(StartUp, game_offscreen, "offscreen", false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK_CAPTURE(StartUp, bare_offscreen, "offscreen", true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK_CAPTURE(StartUp, game_xcb, "xcb", false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK_CAPTURE(StartUp, bare_xcb, "xcb", true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

} // namespace
} // namespace tilzo
