// A full repaint of the demonstration's board (dibujar), with tiles only and with 800 marks.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "demo/window/board_renderer.h"
#include "map/board_geometry.h"

namespace marv {
namespace {

DemoState board(bool marks) {
    DemoState s;
    s.ultimaColumna = s.ultimaFila = kLastIndex;
    for (int x = 0; x < kBoardCells; ++x)
        for (int y = 0; y < kBoardCells; ++y) {
            Celda& c = s.celda(x, y);
            c.tipo = static_cast<std::int16_t>((x + y) % 3 == 0 ? 7 : (x * y) % 4 == 1 ? 8 : 0);
            // Closed and open at once: two masked copies a cell, 800 in all.
            c.cerrado = c.abierto = marks ? kTrue : kFalse;
        }
    s.mostrarBusqueda = marks ? kTrue : kFalse;
    s.posX = s.posY = 7;
    return s;
}

void repaint(benchmark::State& state, bool marks) {
    const DemoState s = board(marks);
    QImage image(kBoardPixels, kBoardPixels, kBoardImageFormat);
    const PictureSet& pictures = PictureSet::shared();
    for (auto _ : state) {
        paintDemoBoard(image, s, pictures);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_DibujarTilesOnly(benchmark::State& s) {
    repaint(s, false);
}
void BM_DibujarWith800Marks(benchmark::State& s) {
    repaint(s, true);
}

BENCHMARK(BM_DibujarTilesOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DibujarWith800Marks)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace marv

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
