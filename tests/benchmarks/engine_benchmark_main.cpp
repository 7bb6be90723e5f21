#include <benchmark/benchmark.h>

#include "exact/retained_memory.h"

// The main of the engine's benchmarks: memory is kept between runs as the programs keep it,
// so that a benchmark measures what the window's live read-out and the calculator see.
int main(int argc, char** argv) {
    strativex::exact::RetainFreedMemory();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
