#include <gtest/gtest.h>

#include <algorithm>

#include "board_text.h"
#include "fake_window.h"

namespace marv::testing {
namespace {

struct PathCase {
    const char* name;
    MapValues board;
    Cell start;
    Cell destination;
    const char* ruta;  // nullptr: no path
};

void PrintTo(const PathCase& c, std::ostream* os) {
    *os << c.name;
}

class PathCases : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathCases, SearchGivesTheExpectedPathAndText) {
    const PathCase& c = GetParam();
    FakeWindow window;
    Demo demo(window);
    demo.load(c.board);
    placeCharacter(demo, c.start.column, c.start.row);
    press(demo, kLeftButton, c.destination.column, c.destination.row);

    const DemoState& s = demo.state();
    EXPECT_EQ(s.buscando, 0);
    EXPECT_EQ(s.destX, c.destination.column);
    EXPECT_EQ(s.destY, c.destination.row);
    if (c.ruta == nullptr) {
        EXPECT_EQ(s.encontrado, 0);
        EXPECT_EQ(window.calls.back(), "text:NO SE PUEDE LLEGAR AL DESTINO");
        return;
    }
    EXPECT_EQ(s.encontrado, -1);
    EXPECT_EQ(s.ruta, c.ruta);
    const int pasos = static_cast<int>(std::count(s.ruta.begin(), s.ruta.end(), ',') + 1) / 2;
    EXPECT_EQ(window.count("text:Encontrado: " + std::to_string(pasos) + " pasos"), 1);

    // The path marks are exactly the cells of ruta; the start carries none.
    int marked = 0;
    for (int x = 0; x < kGridSize; ++x)
        for (int y = 0; y < kGridSize; ++y) marked += s.celda(x, y).enCamino == -1;
    EXPECT_EQ(marked, pasos);
    EXPECT_EQ(s.celda(c.start.column, c.start.row).enCamino, 0);
    EXPECT_EQ(s.celda(c.destination.column, c.destination.row).enCamino, -1);
}

MapValues corridor() {
    MapValues v = boardFromText({"####################", "......##############"});
    for (int row = 2; row < 20; ++row)
        for (int column = 0; column < 20; ++column) v[row * 20 + column] = {1, 1};
    return v;
}

MapValues walledInAt55() {
    return boardFromText({"", "", "", "", "....###", "....#.#", "....###"});
}

INSTANTIATE_TEST_SUITE_P(
    Boards, PathCases,
    ::testing::Values(
        PathCase{"OpenBoardOneStep", openBoard(), {2, 5}, {3, 5}, "3,5"},
        PathCase{"OpenBoardStraight", openBoard(), {2, 5}, {5, 5}, "3,5,4,5,5,5"},
        PathCase{"OpenBoardDiagonal", openBoard(), {2, 5}, {5, 8}, "3,6,4,7,5,8"},
        PathCase{"OpenBoardCornerToCorner",
                 openBoard(),
                 {0, 19},
                 {19, 0},
                 "1,18,2,17,3,16,4,15,5,14,6,13,7,12,8,11,9,10,10,9,11,8,12,7,13,6,14,5,15,4,16,"
                 "3,17,2,18,1,19,0"},
        PathCase{"WallTieGoesByTheUpperRow",
                 boardFromText({"", "", "", "", "", "......#"}),
                 {5, 5},
                 {7, 5},
                 "6,4,7,5"},
        PathCase{"DiagonalBetweenTwoWalls",
                 boardFromText({"", "", "", "", ".....#", "......#"}),
                 {5, 5},
                 {6, 4},
                 "6,4"},
        PathCase{"DetourRoundEarth",
                 boardFromText({"", "", "", "", "", "......t"}),
                 {5, 5},
                 {8, 5},
                 "6,4,7,5,8,5"},
        PathCase{"CorridorEndIsTheLastOpenCell", corridor(), {0, 1}, {5, 1}, "1,1,2,1,3,1,4,1,5,1"},
        PathCase{"UnwalkableStartStillSearches",
                 boardFromText({"", "", "", "", "", "..#"}),
                 {2, 5},
                 {4, 5},
                 "3,5,4,5"},
        PathCase{"DestinationIsAWall",
                 boardFromText({"", "", "", "", "", ".....#"}),
                 {2, 5},
                 {5, 5},
                 nullptr},
        PathCase{"StartWalledIn", walledInAt55(), {5, 5}, {10, 10}, nullptr},
        PathCase{"DestinationInAClosedRoom",
                 boardFromText({"",
                                "",
                                "",
                                "",
                                "",
                                "",
                                "",
                                "",
                                "",
                                "",
                                "",
                                "",
                                "",
                                "",
                                "",
                                "",
                                "",
                                "",
                                "####################",
                                "###############."}),
                 {0, 0},
                 {15, 19},
                 nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Search, TieBetweenEqualScoresIsBrokenByRowThenColumn) {
    FakeWindow window;
    Demo demo(window);
    demo.load(boardFromText({"", "", "", "", "", "......#"}));
    placeCharacter(demo, 5, 5);
    press(demo, kLeftButton, 7, 5);
    EXPECT_EQ(demo.state().celda(6, 4).f, 34);
    EXPECT_EQ(demo.state().celda(6, 6).f, 34);
    EXPECT_EQ(demo.state().celda(6, 4).cerrado, -1);
}

TEST(Search, WallDestinationClosesEveryReachableCell) {
    FakeWindow window;
    Demo demo(window);
    demo.load(boardFromText({"", "", "", "", "", ".....#"}));
    press(demo, kLeftButton, 5, 5);
    int closed = 0;
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 20; ++y) {
            closed += demo.state().celda(x, y).cerrado == -1;
            EXPECT_NE(demo.state().celda(x, y).abierto, -1) << x << "," << y;
        }
    EXPECT_EQ(closed, 399);
    EXPECT_EQ(demo.state().celda(5, 5).abierto, 0);
}

TEST(Search, WalledInStartFailsAfterTheFirstIteration) {
    FakeWindow window;
    Demo demo(window);
    demo.load(walledInAt55());
    placeCharacter(demo, 5, 5);
    window.calls.clear();
    press(demo, kLeftButton, 10, 10);
    EXPECT_EQ(window.pumpCount, 1);
    EXPECT_EQ(window.calls,
              (std::vector<std::string>{"stopTimer", "dibujar", "pumpEvents", "dibujar",
                                        "text:NO SE PUEDE LLEGAR AL DESTINO"}));
}

TEST(Search, CallsTheWindowInOrderWithTheStepDisplayOn) {
    FakeWindow window;
    Demo demo(window);
    demo.load(openBoard());
    placeCharacter(demo, 2, 5);
    window.calls.clear();
    press(demo, kLeftButton, 5, 5);
    // Reset, then per step: events, then a repaint; then the result and a last repaint.
    EXPECT_EQ(window.calls,
              (std::vector<std::string>{"stopTimer", "dibujar", "pumpEvents", "dibujar",
                                        "pumpEvents", "dibujar", "pumpEvents", "dibujar",
                                        "text:Encontrado: 3 pasos", "dibujar"}));
    EXPECT_EQ(demo.state().mostrarBusqueda, -1);
    EXPECT_FALSE(window.timerRunning);
}

TEST(Search, WithCheckIrTickedRepaintsOnlyAtResetAndEndThenWalks) {
    FakeWindow window;
    window.checkIrTicked = true;
    Demo demo(window);
    demo.load(openBoard());
    placeCharacter(demo, 2, 5);
    window.calls.clear();
    press(demo, kLeftButton, 5, 5);
    EXPECT_EQ(window.calls, (std::vector<std::string>{
                                "stopTimer", "dibujar", "pumpEvents", "pumpEvents", "pumpEvents",
                                "text:Encontrado: 3 pasos", "dibujar", "startTimer"}));
    EXPECT_EQ(demo.state().mostrarBusqueda, 0);
    EXPECT_TRUE(window.timerRunning);
    EXPECT_EQ(demo.state().buscando, 0);
}

TEST(Search, TickingCheckIrMidSearchStopsTheStepRepaintsAndWalksAtTheEnd) {
    FakeWindow window;
    Demo demo(window);
    demo.load(openBoard());
    placeCharacter(demo, 2, 5);
    window.onPumpEvents = [&](int n) {
        if (n == 2) window.checkIrTicked = true;
        return true;
    };
    window.calls.clear();
    press(demo, kLeftButton, 5, 5);
    EXPECT_EQ(window.count("dibujar"), 3);  // reset, first step, end
    EXPECT_TRUE(window.timerRunning);
    EXPECT_EQ(demo.state().mostrarBusqueda, 0);  // cleared by the walk, not by the tick
}

TEST(Refusals, PressesThatChangeNothing) {
    FakeWindow window;
    Demo demo(window);
    demo.load(openBoard());

    window.calls.clear();
    press(demo, kLeftButton, 0, 0);  // character's cell and destination at start
    EXPECT_TRUE(window.calls.empty());

    placeCharacter(demo, 3, 3);
    window.calls.clear();
    press(demo, kLeftButton, 0, 0);  // still the destination before any search
    EXPECT_TRUE(window.calls.empty()) << "the first press on (0, 0) is refused";
    press(demo, kLeftButton, 3, 3);
    EXPECT_TRUE(window.calls.empty()) << "the character's own cell is refused";

    press(demo, kLeftButton, 6, 3);
    const std::string ruta = demo.state().ruta;
    placeCharacter(demo, 9, 9);
    window.calls.clear();
    press(demo, kLeftButton, 6, 3);
    EXPECT_TRUE(window.calls.empty()) << "the current destination is refused after a placement";
    EXPECT_EQ(demo.state().ruta, ruta);

    press(demo, kMiddleButton, 4, 4);
    press(demo, 0, 4, 4);
    EXPECT_TRUE(window.calls.empty()) << "other buttons do nothing";
}

TEST(Refusals, SameFailedDestinationKeepsTheFailureText) {
    FakeWindow window;
    Demo demo(window);
    demo.load(boardFromText({"", "", "", "", "", ".....#"}));
    press(demo, kLeftButton, 5, 5);
    EXPECT_EQ(window.calls.back(), "text:NO SE PUEDE LLEGAR AL DESTINO");
    const auto before = window.calls.size();
    press(demo, kLeftButton, 5, 5);
    EXPECT_EQ(window.calls.size(), before);
    demo.startWalk();  // no path to walk
    EXPECT_EQ(window.calls.size(), before);
}

TEST(Refusals, DuringASearchOnlyTheInspectorRuns) {
    FakeWindow window;
    Demo demo(window);
    demo.load(openBoard());
    window.onPumpEvents = [&](int n) {
        if (n != 2) return true;
        const auto before = window.calls.size();
        press(demo, kLeftButton, 15, 15);        // another search
        press(demo, kLeftButton, 12, 12, true);  // a placement
        demo.reset();
        demo.startWalk();
        EXPECT_EQ(window.calls.size(), before) << "refused while searching";
        EXPECT_EQ(demo.state().posX, 0);
        press(demo, kRightButton, 0, 0);
        EXPECT_EQ(window.calls.size(), before + 2) << "the inspector runs";
        return true;
    };
    press(demo, kLeftButton, 4, 0);
    EXPECT_EQ(demo.state().ruta, "1,0,2,0,3,0,4,0");
    EXPECT_EQ(demo.state().buscando, 0);
    EXPECT_EQ(demo.state().destX, 4);
}

TEST(Refusals, AWindowGoingAwayStopsTheSearchAtOnce) {
    FakeWindow window;
    Demo demo(window);
    demo.load(openBoard());
    window.onPumpEvents = [](int n) { return n < 3; };
    window.calls.clear();
    press(demo, kLeftButton, 10, 10);
    EXPECT_EQ(window.calls.back(), "pumpEvents") << "nothing is called after the window went away";
    EXPECT_EQ(window.pumpCount, 3);
    EXPECT_EQ(demo.state().buscando, 0);
    EXPECT_EQ(demo.state().encontrado, 0);
}

TEST(Reset, ClearsTheMarksButKeepsThePathForTheWalk) {
    FakeWindow window;
    Demo demo(window);
    demo.load(boardFromText({"t#p"}));
    press(demo, kLeftButton, 5, 5);
    window.calls.clear();
    demo.reset();
    EXPECT_EQ(window.calls, (std::vector<std::string>{"stopTimer", "dibujar"}));
    const DemoState& s = demo.state();
    for (int x = 0; x < kGridSize; ++x)
        for (int y = 0; y < kGridSize; ++y) {
            const Celda& c = s.celda(x, y);
            EXPECT_TRUE(c.f == 0 && c.g == 0 && c.h == 0 && c.padreX == 0 && c.padreY == 0 &&
                        c.abierto == 0 && c.cerrado == 0 && c.enCamino == 0)
                << x << "," << y;
        }
    EXPECT_EQ(s.celda(0, 0).costo, 15);
    EXPECT_EQ(s.celda(1, 0).transitable, 0);
    EXPECT_EQ(s.celda(2, 0).costo, -15);
    EXPECT_EQ(s.encontrado, -1);
    EXPECT_EQ(s.ruta, "1,1,2,2,3,3,4,4,5,5");
}

TEST(Load, FillsTerrainFromTheNumbersAsWritten) {
    FakeWindow window;
    Demo demo(window);
    MapValues v = openBoard();
    v[0] = {7, 7.0};
    v[1] = {7, 7.4};
    v[2] = {3, 3};
    v[3] = {8, 8};
    v[20] = {1, 1};
    demo.load(v);
    const DemoState& s = demo.state();
    EXPECT_EQ(window.calls, std::vector<std::string>{"dibujar"});
    EXPECT_EQ(s.ultimaColumna, 19);
    EXPECT_EQ(s.ultimaFila, 19);
    EXPECT_EQ(s.celda(0, 0).transitable, -1);
    EXPECT_EQ(s.celda(0, 0).costo, 15);
    EXPECT_EQ(s.celda(1, 0).tipo, 7);
    EXPECT_EQ(s.celda(1, 0).transitable, 0);
    EXPECT_EQ(s.celda(1, 0).costo, 0);
    EXPECT_EQ(s.celda(2, 0).transitable, 0);
    EXPECT_EQ(s.celda(3, 0).costo, -15);
    EXPECT_EQ(s.celda(0, 1).transitable, 0) << "value 20 is row 1, column 0";
    EXPECT_EQ(s.celda(20, 5).transitable, 0);
    EXPECT_EQ(s.celda(5, 20).transitable, 0);
    EXPECT_EQ(s.posX, 0);
    EXPECT_EQ(s.destX, 0);
}

}  // namespace
}  // namespace marv::testing
