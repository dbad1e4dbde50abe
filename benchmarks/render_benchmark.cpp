// A full repaint of the demonstration's board (dibujar), with tiles only and with 800 marks,
// each beside its floor: a plain loop over the 32-bit words that writes the same pixels.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <array>

#include "demo/window/paint_demo_board.h"
#include "map/core/board_geometry.h"

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

using Words = std::array<const QRgb*, PictureSet::kCount>;

// The floor's rows: nothing but the pixel arithmetic over 20 words that cannot overlap.
void plainStampRow(QRgb* __restrict to, const QRgb* __restrict m, const QRgb* __restrict f) {
    for (int x = 0; x < kCellPixels; ++x) to[x] = ((to[x] | ~m[x]) & f[x]) | 0xff000000u;
}

void plainTileRow(QRgb* __restrict to, const QRgb* __restrict from) {
    for (int x = 0; x < kCellPixels; ++x) to[x] = from[x];
}

void plainStamp(QRgb* board, int stride, const QRgb* mask, const QRgb* figure) {
    for (int y = 0; y < kCellPixels; ++y)
        plainStampRow(board + y * stride, mask + y * kCellPixels, figure + y * kCellPixels);
}

void plainTile(QRgb* board, int stride, const QRgb* tile) {
    for (int y = 0; y < kCellPixels; ++y) plainTileRow(board + y * stride, tile + y * kCellPixels);
}

[[gnu::noinline]] void plainLoopFloor(QImage& image, const DemoState& s, const Words& pictures) {
    QRgb* bits = reinterpret_cast<QRgb*>(image.bits());
    const int stride = static_cast<int>(image.bytesPerLine() / sizeof(QRgb));
    const auto at = [&](int column, int row) {
        return bits + row * kCellPixels * stride + column * kCellPixels;
    };
    for (int row = 0; row <= s.ultimaFila; ++row)
        for (int column = 0; column <= s.ultimaColumna; ++column) {
            const Celda& c = s.celda(column, row);
            plainTile(at(column, row), stride, pictures[c.tipo]);
            if (s.mostrarBusqueda != kTrue) continue;
            if (c.cerrado == kTrue)
                plainStamp(at(column, row), stride, pictures[kMascaraMarco],
                           pictures[kMarcoCerrado]);
            if (c.abierto == kTrue)
                plainStamp(at(column, row), stride, pictures[kMascaraMarco],
                           pictures[kMarcoAbierto]);
            if (c.enCamino == kTrue)
                plainStamp(at(column, row), stride, pictures[kMascaraPersonaje],
                           pictures[kFiguraPersonaje]);
        }
    plainStamp(at(s.posX, s.posY), stride, pictures[kMascaraPersonaje], pictures[kFiguraPersonaje]);
}

void repaint(benchmark::State& state, bool marks, bool floor) {
    const DemoState s = board(marks);
    QImage image(kBoardPixels, kBoardPixels, kBoardImageFormat);
    const PictureSet& pictures = PictureSet::shared();
    Words words{};
    for (int i = 0; i < PictureSet::kCount; ++i)
        words[i] = reinterpret_cast<const QRgb*>(pictures.imagen(i).constBits());
    if (floor) {
        // The floor must write what the repaint writes, or it measures something else.
        QImage painted(kBoardPixels, kBoardPixels, kBoardImageFormat);
        paintDemoBoard(painted, s, pictures);
        plainLoopFloor(image, s, words);
        if (image != painted) state.SkipWithError("the floor writes other pixels");
    }
    for (auto _ : state) {
        if (floor) {
            plainLoopFloor(image, s, words);
        } else {
            paintDemoBoard(image, s, pictures);
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_DibujarTilesOnly(benchmark::State& s) {
    repaint(s, false, false);
}
void BM_FloorTilesOnly(benchmark::State& s) {
    repaint(s, false, true);
}
void BM_DibujarWith800Marks(benchmark::State& s) {
    repaint(s, true, false);
}
void BM_FloorWith800Marks(benchmark::State& s) {
    repaint(s, true, true);
}

BENCHMARK(BM_DibujarTilesOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FloorTilesOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DibujarWith800Marks)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FloorWith800Marks)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace marv

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
