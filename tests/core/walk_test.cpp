#include <gtest/gtest.h>

#include "board_text.h"
#include "fake_window.h"

namespace marv::testing {
namespace {

struct Walker {
    FakeWindow window;
    Demo demo{window};

    // A search from `from` to `to` on an open board, with the walk not yet started.
    Walker(Cell from, Cell to) {
        demo.load(openBoard());
        placeCharacter(demo, from.column, from.row);
        press(demo, kLeftButton, to.column, to.row);
        window.calls.clear();
    }
    Cell position() const { return {demo.state().posX, demo.state().posY}; }
};

TEST(Walk, StepsOneCellPerTickAndStopsOnTheDestination) {
    Walker w({2, 5}, {5, 8});  // ruta 3,6,4,7,5,8
    w.demo.startWalk();
    EXPECT_EQ(w.window.calls, std::vector<std::string>{"startTimer"}) << "no repaint at the start";
    EXPECT_EQ(w.demo.state().mostrarBusqueda, 0);
    EXPECT_EQ(w.demo.state().rutaPasos, (std::vector<std::string>{"3", "6", "4", "7", "5", "8"}));

    w.demo.walkStep();
    EXPECT_EQ(w.position(), (Cell{3, 6}));
    EXPECT_EQ(w.demo.state().rutaPasos, (std::vector<std::string>{"4", "7", "5", "8", "5", "8"}))
        << "the array keeps its length; the last pair stays as a copy";
    w.demo.walkStep();
    EXPECT_EQ(w.position(), (Cell{4, 7}));
    w.demo.walkStep();
    EXPECT_EQ(w.position(), (Cell{5, 8}));
    EXPECT_TRUE(w.window.timerRunning);
    w.demo.walkStep();
    EXPECT_FALSE(w.window.timerRunning);
    EXPECT_EQ(w.position(), (Cell{5, 8}));
    EXPECT_EQ(w.window.count("dibujar"), 4) << "k + 1 repaints for a path of k cells";
}

TEST(Walk, OneCellPathMovesOnTheFirstTickAndStopsOnTheSecond) {
    Walker w({2, 5}, {3, 5});
    w.demo.startWalk();
    w.demo.walkStep();
    EXPECT_EQ(w.position(), (Cell{3, 5}));
    EXPECT_TRUE(w.window.timerRunning);
    w.demo.walkStep();
    EXPECT_FALSE(w.window.timerRunning);
}

TEST(Walk, IrAgainRestartsFromTheFirstCell) {
    Walker w({2, 5}, {6, 5});  // ruta 3,5,4,5,5,5,6,5
    w.demo.startWalk();
    w.demo.walkStep();
    w.demo.walkStep();
    EXPECT_EQ(w.position(), (Cell{4, 5}));
    w.demo.startWalk();
    w.demo.walkStep();
    EXPECT_EQ(w.position(), (Cell{3, 5}));
}

TEST(Walk, IrAfterArrivalOnlyStopsAndRepaints) {
    Walker w({2, 5}, {3, 5});
    w.demo.startWalk();
    w.demo.walkStep();
    w.demo.walkStep();
    w.window.calls.clear();
    w.demo.startWalk();
    w.demo.walkStep();
    EXPECT_EQ(w.window.calls, (std::vector<std::string>{"startTimer", "stopTimer", "dibujar"}));
    EXPECT_EQ(w.position(), (Cell{3, 5}));
}

TEST(Walk, AfterAPlacementTheOldPathIsWalkedFromItsFirstCell) {
    Walker w({2, 5}, {5, 5});
    placeCharacter(w.demo, 15, 15);
    EXPECT_EQ(w.demo.state().encontrado, -1) << "a placement keeps the found path";
    w.demo.startWalk();
    w.demo.walkStep();
    EXPECT_EQ(w.position(), (Cell{3, 5}));
    w.demo.walkStep();
    w.demo.walkStep();
    w.demo.walkStep();
    EXPECT_EQ(w.position(), (Cell{5, 5}));
    EXPECT_FALSE(w.window.timerRunning);
}

TEST(Walk, ResetOrPlacementStopsAWalkWhereItStands) {
    Walker w({2, 5}, {6, 5});
    w.demo.startWalk();
    w.demo.walkStep();
    w.demo.reset();
    EXPECT_FALSE(w.window.timerRunning);
    EXPECT_EQ(w.position(), (Cell{3, 5}));

    w.demo.startWalk();
    w.demo.walkStep();
    placeCharacter(w.demo, 0, 19);
    EXPECT_FALSE(w.window.timerRunning);
    EXPECT_EQ(w.position(), (Cell{0, 19}));
}

TEST(Walk, NothingToWalkBeforeAnySearch) {
    FakeWindow window;
    Demo demo(window);
    demo.load(openBoard());
    window.calls.clear();
    demo.startWalk();
    EXPECT_TRUE(window.calls.empty());
}

TEST(Walk, ASearchStopsAWalkAndStartsFromWhereTheCharacterStands) {
    Walker w({2, 5}, {8, 5});
    w.demo.startWalk();
    w.demo.walkStep();
    w.demo.walkStep();  // on (4, 5)
    press(w.demo, kLeftButton, 4, 9);
    EXPECT_FALSE(w.window.timerRunning);
    EXPECT_EQ(w.demo.state().ruta, "4,6,4,7,4,8,4,9");
}

}  // namespace
}  // namespace marv::testing
