// One whole search with CheckIr ticked (no step repaints), through a window that does nothing.
#include <benchmark/benchmark.h>

#include <string>

#include "demo/search/demo.h"
#include "tests/support/board_text.h"
#include "tests/support/fake_window.h"

namespace marv {
namespace {

using testing::mapOf;

const MapValues kOpen = mapOf();

// Walls across the board, open at alternate ends: the path winds through every other row.
const MapValues kSerpentine =
    mapOf({"", "###################.", "", ".###################", "", "###################.", "",
           ".###################", "", "###################.", "", ".###################", "",
           "###################.", "", ".###################", "", "###################."});

const MapValues kWallDestination = mapOf({"...................#"}, 19);

void runSearch(benchmark::State& state, const MapValues& values, int x, int y) {
    testing::FakeWindow window;
    window.recording = false;
    window.checkIrTicked = true;
    Demo demo(window);
    demo.load(values);
    for (auto _ : state) {
        demo.state().destX = demo.state().destY = 0;  // lets the same destination be searched again
        demo.buscar(x, y);
        benchmark::DoNotOptimize(demo.state().ruta.data());
    }
}

void BM_OpenBoardCornerToCorner(benchmark::State& s) {
    runSearch(s, kOpen, 19, 19);
}
void BM_SerpentineMaze(benchmark::State& s) {
    runSearch(s, kSerpentine, 19, 19);
}
void BM_WallDestinationClosesEverything(benchmark::State& s) {
    runSearch(s, kWallDestination, 19, 19);
}

BENCHMARK(BM_OpenBoardCornerToCorner)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SerpentineMaze)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WallDestinationClosesEverything)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace marv

BENCHMARK_MAIN();
