#include <benchmark/benchmark.h>

#include <QApplication>

#include "exact/retained_memory.h"

// The main of the benchmarks that draw: fonts, painters and widgets need an application, and a
// benchmark run needs no display. Memory is kept as the window keeps it.
int main(int argc, char** argv) {
    strativex::exact::RetainFreedMemory();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
