#include <cstring>
#include <tuple>

#include "demo/search/cell_report.h"
#include "demo_fixture.h"

namespace marv::testing {
namespace {

class Expandir : public LoadedDemo {
  protected:
    // The board loaded, with a closed node at (x, y), g 0, and the given destination. The unused
    // column and row 20 are made walkable: only the board's edge may keep a step off them.
    DemoState nodeAt(const MapValues& values, std::int16_t x, std::int16_t y, std::int16_t destX,
                     std::int16_t destY) {
        load(values);
        DemoState s = state();
        std::tie(s.actX, s.actY, s.destX, s.destY) = std::tuple(x, y, destX, destY);
        s.celda(x, y).cerrado = -1;
        for (int i = 0; i < kGridSize; ++i)
            s.celda(20, i).transitable = s.celda(i, 20).transitable = kTrue;
        return s;
    }
};

std::tuple<int, int, int, int, int> scores(const Celda& c) {
    return {c.g, c.h, c.f, c.padreX, c.padreY};
}

// The expansion rejects, and the cell report counts, the same cells: off the board, closed (the
// node itself) or not walkable.
TEST_F(Expandir, RejectsWhatTheCellReportCountsAsBlocked) {
    const std::tuple<const char*, MapValues, int, int, int> cases[] = {
        {"top-left corner", mapOf(), 0, 0, 6},
        {"bottom-right corner", mapOf(), 19, 19, 6},
        {"middle", mapOf(), 7, 7, 1},
        {"under a wall", mapOf({".#"}), 1, 1, 2},
        {"walled in", mapOf({"###", "#.#", "###"}), 1, 1, 9},
        {"corner against walls", mapOf({".#", "##"}), 0, 0, 9},
    };
    for (const auto& [name, values, x, y, rechazados] : cases) {
        DemoState s = nodeAt(values, x, y, 10, 10);
        EXPECT_EQ(blockedAround(s, x, y), rechazados) << name;
        expandir(s);
        EXPECT_EQ(s.rechazados, rechazados) << name;
        int open = 0;
        forEachCell([&](Cell at) { open += s.celda(at.column, at.row).abierto == kTrue; });
        EXPECT_EQ(open, 9 - rechazados) << name;
    }
}

TEST_F(Expandir, OpensWithStepCostEstimateAndTerrain) {
    // Destination (8, 9): the cell (5, 5) lies 3 columns and 4 rows from it.
    DemoState s = nodeAt(mapOf({".....t", ".....p"}, 5), 4, 4, 8, 9);
    expandir(s);
    // A straight step onto grass and a diagonal one onto earth.
    EXPECT_EQ(scores(s.celda(4, 5)), std::tuple(10, 10 * (4 + 4), 80 + 10, 4, 4));
    EXPECT_EQ(scores(s.celda(5, 5)), std::tuple(14, 70, 70 + 14 + 15, 4, 4));
    const Mapa once = s.mapa;
    expandir(s);  // repeated, it changes nothing
    EXPECT_EQ(std::memcmp(&once, &s.mapa, sizeof(Mapa)), 0);

    // A destination next to the node: paved, it scores 0 + 10 - 15; water, it is never opened.
    s = nodeAt(mapOf({"......p"}, 5), 5, 5, 6, 5);
    expandir(s);
    EXPECT_EQ(s.celda(6, 5).f, 0 + 10 - 15);
    EXPECT_NE(cellReportMessage(s, 6, 5).find("F = -5\r\n"), std::string::npos) << "with its sign";
    s = nodeAt(mapOf({"......#"}, 5), 5, 5, 6, 5);
    expandir(s);
    EXPECT_EQ(s.celda(6, 5).abierto, 0);
}

TEST_F(Expandir, ReparentsAnOpenCellOnlyWhenStrictlyCheaper) {
    DemoState s = nodeAt(mapOf(), 5, 5, 10, 10);
    // Both are reached at 14 now: one was reached at 30 before, one at 14.
    Celda& dearer = s.celda(6, 6) = {
        .transitable = kTrue, .g = 30, .h = 80, .padreX = 9, .padreY = 9, .abierto = kTrue};
    Celda& same = s.celda(4, 4) = {
        .transitable = kTrue, .g = 14, .h = 120, .padreX = 3, .padreY = 3, .abierto = kTrue};
    expandir(s);

    // f falls by the difference and h is not recomputed; an equal cost keeps the first parent.
    EXPECT_EQ(scores(dearer), std::tuple(14, 80, 80 + 14, 5, 5));
    EXPECT_EQ(scores(same), std::tuple(14, 120, 120 + 14, 3, 3));
}

using CellReport = LoadedDemo;

// Before any search everything is zero; after one, its start is closed and unscored.
TEST_F(CellReport, ReportsTheLastSearch) {
    press(kRightButton, 3, 7);
    EXPECT_EQ(window.calls, (Calls{"text:Abierto = Falso  Cerrado = Falso",
                                   "message:Coor = 3 7\r\nCerrados = 0\r\nF = 0\r\nPadres = 0 0"}));
    search({5, 5}, {8, 5});
    window.calls.clear();
    press(kRightButton, 5, 5);
    press(kRightButton, 6, 5);  // closed, on the path
    press(kRightButton, 4, 5);  // open, behind the start
    EXPECT_EQ(window.calls,
              (Calls{"text:Abierto = Falso  Cerrado = Verdadero",
                     "message:Coor = 5 5\r\nCerrados = 2\r\nF = 0\r\nPadres = 0 0",
                     "text:Abierto = Falso  Cerrado = Verdadero",
                     "message:Coor = 6 5\r\nCerrados = 3\r\nF = 30\r\nPadres = 5 5",
                     "text:Abierto = Verdadero  Cerrado = Falso",
                     "message:Coor = 4 5\r\nCerrados = 1\r\nF = 50\r\nPadres = 5 5"}));
}

}  // namespace
}  // namespace marv::testing
