#include <algorithm>
#include <cstring>
#include <tuple>

#include "demo/search/cell_picture.h"
#include "demo_fixture.h"
#include "map/core/drawn_cells.h"

namespace marv::testing {
namespace {

using Search = LoadedDemo;

const std::string kNoPath = "text:NO SE PUEDE LLEGAR AL DESTINO";

struct PathCase {
    const char* name;
    MapValues board;
    Cell start, destination;
    const char* ruta;  // nullptr: no path
    friend void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }
};

class PathCases : public LoadedDemo, public ::testing::WithParamInterface<PathCase> {};

TEST_P(PathCases, SearchGivesTheExpectedPathAndText) {
    const PathCase& c = GetParam();
    load(c.board);
    search(c.start, c.destination);

    const DemoState& s = state();
    EXPECT_EQ(s.buscando, 0);
    if (c.ruta == nullptr) {
        EXPECT_EQ(s.encontrado, 0);
        EXPECT_EQ(window.calls.back(), kNoPath);
        return;
    }
    EXPECT_EQ(s.encontrado, -1);
    EXPECT_EQ(s.ruta, c.ruta);
    const int pasos = static_cast<int>(std::count(s.ruta.begin(), s.ruta.end(), ',') + 1) / 2;
    EXPECT_EQ(window.count("text:Encontrado: " + std::to_string(pasos) + " pasos"), 1);

    int marked = 0;
    forEachCell([&](Cell at) { marked += s.celda(at.column, at.row).enCamino == kTrue; });
    EXPECT_EQ(marked, pasos);
    EXPECT_EQ(s.celda(c.destination.column, c.destination.row).enCamino, -1);
}

const MapValues kWalledInAt55 = mapOf({"....###", "....#.#", "....###"}, 4);
const MapValues kCorridor =
    mapOf({"####################", "......##############", "####################"});
const char* const kUpTheDiagonal =
    "1,18,2,17,3,16,4,15,5,14,6,13,7,12,8,11,9,10,"
    "10,9,11,8,12,7,13,6,14,5,15,4,16,3,17,2,18,1,19,0";
const MapValues kClosedRoomAt15_19 = mapOf({"####################", "###############."}, 18);

INSTANTIATE_TEST_SUITE_P(
    Boards, PathCases,
    ::testing::Values(
        PathCase{"OpenBoardOneStep", mapOf(), {2, 5}, {3, 5}, "3,5"},
        PathCase{"OpenBoardStraight", mapOf(), {2, 5}, {5, 5}, "3,5,4,5,5,5"},
        PathCase{"OpenBoardDiagonal", mapOf(), {2, 5}, {5, 8}, "3,6,4,7,5,8"},
        PathCase{"OpenBoardCornerToCorner", mapOf(), {0, 19}, {19, 0}, kUpTheDiagonal},
        PathCase{"WallTieGoesByTheUpperRow", mapOf({"......#"}, 5), {5, 5}, {7, 5}, "6,4,7,5"},
        PathCase{"DiagonalBetweenTwoWalls", mapOf({".....#", "......#"}, 4), {5, 5}, {6, 4}, "6,4"},
        PathCase{"DetourRoundEarth", mapOf({"......t"}, 5), {5, 5}, {8, 5}, "6,4,7,5,8,5"},
        PathCase{"CorridorEndIsTheLastOpenCell", kCorridor, {0, 1}, {5, 1}, "1,1,2,1,3,1,4,1,5,1"},
        PathCase{"UnwalkableStartStillSearches", mapOf({"..#"}, 5), {2, 5}, {4, 5}, "3,5,4,5"},
        PathCase{"DestinationIsAWall", mapOf({".....#"}, 5), {2, 5}, {5, 5}, nullptr},
        PathCase{"StartWalledIn", kWalledInAt55, {5, 5}, {10, 10}, nullptr},
        PathCase{"DestinationInAClosedRoom", kClosedRoomAt15_19, {0, 0}, {15, 19}, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

// With the step display on, a repaint after each step and one for the path; with CheckIr ticked,
// one at the reset and one at the end, then the walk, which turns the display off.
TEST_F(Search, CallsTheWindowInOrder) {
    search({2, 5}, {5, 5});
    EXPECT_EQ(window.calls, (Calls{"stopTimer", "dibujar", "yield", "dibujar", "yield", "dibujar",
                                   "yield", "dibujar", "text:Encontrado: 3 pasos", "dibujar"}));
    EXPECT_EQ(state().mostrarBusqueda, -1);

    load(mapOf());
    window.checkIrTicked = true;
    search({3, 5}, {6, 5});
    EXPECT_EQ(window.calls, (Calls{"stopTimer", "dibujar", "yield", "yield", "yield",
                                   "text:Encontrado: 3 pasos", "dibujar", "startTimer"}));
    EXPECT_EQ(state().mostrarBusqueda, 0);
    window.checkIrTicked = false;

    load(kWalledInAt55);  // a start walled in fails after the first step
    search({5, 5}, {10, 10});
    EXPECT_EQ(window.calls, (Calls{"stopTimer", "dibujar", "yield", "dibujar", kNoPath}));

    load(mapOf());  // CheckIr ticked at the second step: no more step repaints, then the walk
    window.onYield = [&] {
        window.checkIrTicked = window.checkIrTicked || window.count("yield") == 2;
        return true;
    };
    search({2, 5}, {5, 5});
    EXPECT_EQ(window.calls, (Calls{"stopTimer", "dibujar", "yield", "dibujar", "yield", "yield",
                                   "text:Encontrado: 3 pasos", "dibujar", "startTimer"}));
}

// A search for a wall after a success closes every cell it can reach and leaves none open. It
// keeps ruta but not the success, and the same destination again keeps the failure text.
TEST_F(Search, AFailureAfterASuccess) {
    load(mapOf({".....#"}, 5));
    search({2, 5}, {4, 5});
    press(kLeftButton, 5, 5);
    EXPECT_EQ(state().ruta, "3,5,4,5");
    EXPECT_EQ(state().encontrado, 0);
    int closed = 0, open = 0;
    forEachCell([&](Cell at) {
        closed += state().celda(at.column, at.row).cerrado == kTrue;
        open += state().celda(at.column, at.row).abierto == kTrue;
    });
    EXPECT_EQ(std::pair(closed, open), std::pair(399, 0));
    const auto before = window.calls.size();
    press(kLeftButton, 5, 5);
    EXPECT_EQ(window.calls.size(), before);
}

// Refused at rest: the character's own cell, the destination (first (0, 0), kept by a placement),
// other buttons, and Ir before any search. During a search, all but the cell report.
TEST_F(Search, PressesThatChangeNothing) {
    placeCharacter(3, 3);
    window.calls.clear();
    press(kLeftButton, 0, 0);
    press(kLeftButton, 3, 3);
    press(kMiddleButton, 4, 4);
    press(kNoButton, 4, 4);
    demo.startWalk();
    EXPECT_TRUE(window.calls.empty());

    press(kLeftButton, 6, 3);
    placeCharacter(9, 9);
    window.calls.clear();
    press(kLeftButton, 6, 3);
    EXPECT_TRUE(window.calls.empty()) << "the current destination is refused after a placement";

    window.onYield = [&] {
        if (window.count("yield") != 2) return true;
        const auto before = window.calls.size();
        press(kLeftButton, 15, 15);  // another search
        placeCharacter(12, 12);
        demo.clickReiniciar();
        demo.startWalk();
        EXPECT_EQ(window.calls.size(), before) << "refused while searching";
        EXPECT_EQ(state().posX, 0);
        press(kRightButton, 0, 0);
        EXPECT_EQ(window.calls.size(), before + 2) << "the cell report runs";
        return true;
    };
    search({0, 0}, {4, 0});
    EXPECT_EQ(state().ruta, "1,0,2,0,3,0,4,0");
    EXPECT_EQ(state().buscando, 0);
    EXPECT_EQ(state().destX, 4);
}

// Every cell is again as the map's load left it: the terrain kept, the marks and scores gone.
TEST_F(Search, ResetPutsEveryCellBackAsLoaded) {
    load(mapOf({"t#p"}));
    const Mapa loaded = state().mapa;
    press(kLeftButton, 5, 5);
    window.calls.clear();
    demo.clickReiniciar();
    EXPECT_EQ(window.calls, (Calls{"stopTimer", "dibujar"}));
    EXPECT_EQ(std::memcmp(&loaded, &state().mapa, sizeof(Mapa)), 0);
}

// A frame repaints the cells whose picture changed since the last one, and no other: the first
// frame every cell, then those whose tile, shown marks or character changed.
TEST_F(Search, FramesRepaintTheCellsWhosePictureChanged) {
    struct Change {
        const char* name;
        void (*make)(DemoState&);
        std::vector<Cell> repainted;
    };
    const Change changes[] = {
        {"nothing", [](DemoState&) {}, {}},
        {"a tile (water)", [](DemoState& s) { s.celda(3, 4).tipo = 1; }, {{3, 4}}},
        {"marks with the display off", [](DemoState& s) { s.celda(5, 1).cerrado = kTrue; }, {}},
        {"the display on",
         [](DemoState& s) {
             s.celda(6, 1).abierto = s.celda(1, 2).enCamino = kTrue;
             s.mostrarBusqueda = kTrue;
         },
         {{5, 1}, {6, 1}, {1, 2}}},
        {"a second mark", [](DemoState& s) { s.celda(5, 1).abierto = kTrue; }, {{5, 1}}},
        {"a score", [](DemoState& s) { s.celda(5, 1).f = 70; }, {}},
        {"the character", [](DemoState& s) { s.posX = 19; }, {{0, 0}, {19, 0}}},
        {"the unused column 20", [](DemoState& s) { s.celda(20, 3).tipo = 1; }, {}},
    };
    DrawnCells drawn;
    const auto frame = [&] {
        return drawn.changed([this](Cell cell) { return cellPicture(state(), cell); });
    };
    EXPECT_EQ(frame().size(), static_cast<std::size_t>(kMapValues));
    for (const Change& change : changes) {
        change.make(demo.state());
        EXPECT_EQ(frame(), change.repainted) << change.name;
    }
}

TEST_F(Search, LoadFillsTerrainFromTheNumbersAsWritten) {
    // Walkability goes by the number as written: "7.4" shows as earth and "0.4" as grass, but
    // neither can be walked; "-0.0" is 0. Only exactly 0, 7 and 8 can.
    const std::string text = "7.0,7.4,3,8,-0.0,0.4," + mapText({"......4", "#"}).substr(12);
    demo.load(parseMapText(text, "mapa.txt").value());
    EXPECT_EQ(window.calls, Calls{"dibujar"});
    EXPECT_EQ(std::tuple(state().ultimaColumna, state().ultimaFila), std::tuple(19, 19));
    // Column, row, then the cell's tipo, transitable and costo; value 20 is row 1, column 0.
    const std::tuple<int, int, int, int, int> cells[] = {
        {0, 0, 7, -1, 15}, {1, 0, 7, 0, 0},  {2, 0, 3, 0, 0}, {3, 0, 8, -1, -15},
        {4, 0, 0, -1, 0},  {5, 0, 0, 0, 0},  {6, 0, 4, 0, 0}, {0, 1, 1, 0, 0},
        {7, 0, 0, -1, 0},  {20, 5, 0, 0, 0}, {5, 20, 0, 0, 0}};
    for (const auto& [x, y, tipo, transitable, costo] : cells) {
        const Celda& c = state().celda(x, y);
        EXPECT_EQ(std::tuple(c.tipo, c.transitable, c.costo), std::tuple(tipo, transitable, costo))
            << x << "," << y;
    }
    EXPECT_EQ(position(), (Cell{0, 0}));
}

using Walk = LoadedDemo;

TEST_F(Walk, StepsOneCellPerTickAndStopsOnTheDestination) {
    search({2, 5}, {5, 8});
    window.calls.clear();
    demo.startWalk();
    EXPECT_EQ(window.calls, Calls{"startTimer"}) << "no repaint at the start";
    EXPECT_EQ(after(1), (Cell{3, 6}));
    EXPECT_EQ(state().rutaPasos, (std::vector<std::string>{"4", "7", "5", "8", "5", "8"}))
        << "the array keeps its length; the last pair stays as a copy";
    EXPECT_EQ(after(1), (Cell{4, 7}));
    EXPECT_EQ(after(1), (Cell{5, 8}));
    EXPECT_TRUE(window.timerRunning);
    EXPECT_EQ(after(1), (Cell{5, 8}));
    EXPECT_FALSE(window.timerRunning);
    EXPECT_EQ(window.count("dibujar"), 4) << "k + 1 repaints for a path of k cells";
}

// Ir walks the path from its first cell, after a placement or Reiniciar too, which stop a walk
// where it stands, as a search does, which starts there. A one-cell path moves on the first tick;
// Ir again on its end only stops and repaints.
TEST_F(Walk, IrWalksFromThePathsFirstCellAndOtherActionsStopIt) {
    search({2, 5}, {6, 5});
    demo.startWalk();
    EXPECT_EQ(after(2), (Cell{4, 5}));
    placeCharacter(15, 15);
    EXPECT_FALSE(window.timerRunning);
    demo.startWalk();
    EXPECT_EQ(after(1), (Cell{3, 5}));
    demo.clickReiniciar();
    EXPECT_FALSE(window.timerRunning);
    EXPECT_EQ(position(), (Cell{3, 5}));
    demo.startWalk();
    EXPECT_EQ(after(2), (Cell{4, 5}));
    press(kLeftButton, 4, 9);
    EXPECT_FALSE(window.timerRunning);
    EXPECT_EQ(state().ruta, "4,6,4,7,4,8,4,9");

    search({6, 5}, {7, 5});
    demo.startWalk();
    EXPECT_EQ(after(1), (Cell{7, 5}));
    window.calls.clear();
    demo.startWalk();
    EXPECT_EQ(after(1), (Cell{7, 5}));
    EXPECT_EQ(window.calls, (Calls{"startTimer", "stopTimer", "dibujar"}));
}

}  // namespace
}  // namespace marv::testing
