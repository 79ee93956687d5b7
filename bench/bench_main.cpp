#include <benchmark/benchmark.h>

#include <QApplication>

// The frame benchmarks draw into a real window, so a Qt application runs the whole time,
// on the offscreen platform: no display needed, and no window manager in the figures.
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
