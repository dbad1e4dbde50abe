// The demonstration's board drawing, each figure beside its floor:
// - a shown step of a real search in the real window (the search, the repaint of the cells that
//   changed, the paint and the flush to the screen), an open board searched for a water cell
//   that cannot be reached, so that all 399 other cells are closed; beside a plain loop that
//   paints only the changed cells of the same frames, and a full repaint of each frame;
// - a full repaint (dibujar's reference) with tiles only, beside one row copy per scan line of
//   the board rendered once, and with 800 marks, beside a plain loop that writes the same pixels.
// Run it under X to flush to a real display; without DISPLAY it draws offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "demo/search/cell_picture.h"
#include "demo/search/demo.h"
#include "demo/window/demo_program.h"
#include "demo/window/demo_window.h"
#include "demo/window/paint_demo_board.h"
#include "map/core/board_geometry.h"
#include "map/core/drawn_cells.h"
#include "map/core/map_file.h"

namespace marv {
namespace {

constexpr Cell kWater{kLastIndex, kLastIndex};

std::string openBoardWithWaterInTheCorner() {
    std::string text;
    for (int row = 0; row < kBoardCells; ++row)
        for (int column = 0; column < kBoardCells; ++column)
            text += Cell{column, row} == kWater ? "1," : "0,";
    return text;
}

// Every state the search is drawn in, as a window that only keeps them.
class FrameRecorder : public WindowOps {
  public:
    std::vector<DemoState> frames;
    const Demo* demo = nullptr;
    void dibujar() override { frames.push_back(demo->state()); }
    void stopWalkTimer() override {}
    void startWalkTimer() override {}
    bool checkIr() const override { return false; }
    void setText1(const std::string&) override {}
    bool yieldUntilNextStep() override { return true; }
    void showMessage(const std::string&) override {}
};

// The frames of the search: the reset and every step, each with the cells that changed since
// the frame before (the loaded board).
struct SearchFrames {
    std::vector<DemoState> states;
    std::vector<std::vector<Cell>> changed;
};

const SearchFrames& searchFrames() {
    static const SearchFrames frames = [] {
        FrameRecorder recorder;
        Demo demo(recorder);
        recorder.demo = &demo;
        demo.load(parseMapText(openBoardWithWaterInTheCorner(), kMapFileName).value());
        demo.buscar(kWater.column, kWater.row);
        SearchFrames out;
        DrawnCells drawn;
        for (const DemoState& s : recorder.frames) {
            const auto& changed = drawn.changed([&s](Cell c) { return cellPicture(s, c); });
            if (&s == &recorder.frames.front()) continue;  // the board as loaded
            out.states.push_back(s);
            out.changed.push_back(changed);
        }
        return out;
    }();
    return frames;
}

using Words = std::array<const QRgb*, PictureSet::kCount>;

Words pictureWords() {
    Words words{};
    for (int i = 0; i < PictureSet::kCount; ++i)
        words[i] = reinterpret_cast<const QRgb*>(PictureSet::shared().imagen(i).constBits());
    return words;
}

// The floors' rows: nothing but the pixel arithmetic over 20 words that cannot overlap.
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

void plainCell(QRgb* bits, int stride, const DemoState& s, const Words& pictures, Cell cell) {
    QRgb* const at = bits + cell.row * kCellPixels * stride + cell.column * kCellPixels;
    const Celda& c = s.celda(cell.column, cell.row);
    plainTile(at, stride, pictures[c.tipo]);
    if (s.mostrarBusqueda == kTrue) {
        if (c.cerrado == kTrue)
            plainStamp(at, stride, pictures[kMascaraMarco], pictures[kMarcoCerrado]);
        if (c.abierto == kTrue)
            plainStamp(at, stride, pictures[kMascaraMarco], pictures[kMarcoAbierto]);
        if (c.enCamino == kTrue)
            plainStamp(at, stride, pictures[kMascaraPersonaje], pictures[kFiguraPersonaje]);
    }
    if (cell.column == s.posX && cell.row == s.posY)
        plainStamp(at, stride, pictures[kMascaraPersonaje], pictures[kFiguraPersonaje]);
}

int stride(const QImage& image) {
    return static_cast<int>(image.bytesPerLine() / sizeof(QRgb));
}

[[gnu::noinline]] void plainLoopFloor(QImage& image, const DemoState& s, const Words& pictures) {
    QRgb* bits = reinterpret_cast<QRgb*>(image.bits());
    for (int row = 0; row <= s.ultimaFila; ++row)
        for (int column = 0; column <= s.ultimaColumna; ++column)
            plainCell(bits, stride(image), s, pictures, {column, row});
}

// The least work that writes a board's pixels: one row copy per scan line of it rendered once.
[[gnu::noinline]] void rowCopyFloor(QImage& image, const QImage& rendered) {
    for (int y = 0; y < kBoardPixels; ++y)
        std::memcpy(image.scanLine(y), rendered.constScanLine(y), kBoardPixels * sizeof(QRgb));
}

// All the frames of the search, each by its changed cells alone.
[[gnu::noinline]] void changedCellsFloor(QImage& image, const SearchFrames& frames,
                                         const Words& pictures) {
    QRgb* bits = reinterpret_cast<QRgb*>(image.bits());
    for (std::size_t i = 0; i < frames.states.size(); ++i)
        for (const Cell cell : frames.changed[i])
            plainCell(bits, stride(image), frames.states[i], pictures, cell);
}

// All the frames of the search, each repainted whole.
[[gnu::noinline]] void fullRepaints(QImage& image, const SearchFrames& frames) {
    for (const DemoState& s : frames.states) paintDemoBoard(image, s, PictureSet::shared());
}

// One whole search in the real window, drawn step by step without pacing; returns the frames.
[[gnu::noinline]] int shownSearch(DemoWindow& window) {
    DemoState& s = window.demo().state();
    s.destX = s.destY = 0;  // lets the same destination be searched again
    int frames = 0;
    const auto counting =
        QObject::connect(&window, &DemoWindow::boardDrawn, [&frames] { ++frames; });
    window.demo().buscar(kWater.column, kWater.row);
    QCoreApplication::processEvents();  // the last frame's paint and flush
    QObject::disconnect(counting);
    return frames;
}

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

QImage boardImage() {
    return QImage(kBoardPixels, kBoardPixels, kBoardImageFormat);
}

void repaint(benchmark::State& state, bool marks, bool floor) {
    const DemoState s = board(marks);
    QImage image = boardImage();
    QImage painted = boardImage();
    paintDemoBoard(painted, s, PictureSet::shared());
    const Words words = pictureWords();
    if (floor) {
        // A floor must write what the repaint writes, or it measures something else.
        marks ? plainLoopFloor(image, s, words) : rowCopyFloor(image, painted);
        if (image != painted) state.SkipWithError("the floor writes other pixels");
    }
    for (auto _ : state) {
        if (!floor) {
            paintDemoBoard(image, s, PictureSet::shared());
        } else if (marks) {
            plainLoopFloor(image, s, words);
        } else {
            rowCopyFloor(image, painted);
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}

// Per step: the time of all the frames of one search, divided by their number.
void perStep(benchmark::State& state, int frames) {
    state.counters["frames"] = frames;
    state.counters["per_step"] = benchmark::Counter(
        frames, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ShownStep(benchmark::State& state) {
    QTemporaryDir folder;
    const std::string path = folder.filePath(kMapFileName).toStdString();
    if (!saveMapFileText(path, openBoardWithWaterInTheCorner()).ok()) {
        state.SkipWithError("cannot write the map");
        return;
    }
    auto opened = openProgramWindow(demoProgram(), path);
    if (!opened.ok()) {
        state.SkipWithError(opened.error().c_str());
        return;
    }
    auto* window = qobject_cast<DemoWindow*>(opened.value().get());
    window->setStepPeriodMs(0);
    window->show();
    if (!QTest::qWaitForWindowExposed(window)) state.SkipWithError("the window is not shown");
    int frames = 0;
    for (auto _ : state) frames = shownSearch(*window);
    if (frames != static_cast<int>(searchFrames().states.size()))
        state.SkipWithError("the window drew other frames than the search's");
    perStep(state, frames);
}

void BM_FloorChangedCells(benchmark::State& state) {
    const SearchFrames& frames = searchFrames();
    const Words words = pictureWords();
    QImage image = boardImage();
    QImage expected = boardImage();
    paintDemoBoard(image, frames.states.front(), PictureSet::shared());
    paintDemoBoard(expected, frames.states.back(), PictureSet::shared());
    // Starting from the first frame, the changed cells alone must reach the last one.
    QImage check = image;
    changedCellsFloor(check, frames, words);
    if (check != expected) state.SkipWithError("the changed cells miss a change");
    for (auto _ : state) {
        changedCellsFloor(image, frames, words);
        benchmark::DoNotOptimize(image.constBits());
    }
    perStep(state, static_cast<int>(frames.states.size()));
}

void BM_FullRepaintEveryStep(benchmark::State& state) {
    const SearchFrames& frames = searchFrames();
    QImage image = boardImage();
    for (auto _ : state) {
        fullRepaints(image, frames);
        benchmark::DoNotOptimize(image.constBits());
    }
    perStep(state, static_cast<int>(frames.states.size()));
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

BENCHMARK(BM_ShownStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorChangedCells)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRepaintEveryStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DibujarTilesOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FloorTilesOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DibujarWith800Marks)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FloorWith800Marks)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace marv

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
