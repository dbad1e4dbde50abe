// One whole search with CheckIr ticked (no step repaints), through a window that does nothing.
#include <benchmark/benchmark.h>

#include <string>

#include "demo/search/demo.h"

namespace marv {
namespace {

class QuietWindow : public WindowOps {
  public:
    void dibujar() override {}
    void stopWalkTimer() override {}
    void startWalkTimer() override {}
    bool checkIr() const override { return true; }
    void setText1(const std::string&) override {}
    bool pumpEvents() override { return true; }
    void showMessage(const std::string&) override {}
};

MapValues board(const char* const rows[20]) {
    MapValues v{};
    for (int r = 0; r < 20; ++r)
        for (int c = 0; c < 20; ++c) {
            const std::int16_t code = rows[r][c] == '#' ? 1 : 0;
            v[r * 20 + c] = {code, static_cast<double>(code)};
        }
    return v;
}

const char* const kOpen[20] = {
    "....................", "....................", "....................", "....................",
    "....................", "....................", "....................", "....................",
    "....................", "....................", "....................", "....................",
    "....................", "....................", "....................", "....................",
    "....................", "....................", "....................", "...................."};

const char* const kSerpentine[20] = {
    "....................", "###################.", "....................", ".###################",
    "....................", "###################.", "....................", ".###################",
    "....................", "###################.", "....................", ".###################",
    "....................", "###################.", "....................", ".###################",
    "....................", "###################.", "....................", "...................."};

const char* const kWallDestination[20] = {
    "....................", "....................", "....................", "....................",
    "....................", "....................", "....................", "....................",
    "....................", "....................", "....................", "....................",
    "....................", "....................", "....................", "....................",
    "....................", "....................", "....................", "...................#"};

void runSearch(benchmark::State& state, const char* const rows[20], int x, int y) {
    QuietWindow window;
    Demo demo(window);
    demo.load(board(rows));
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
