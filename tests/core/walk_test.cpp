#include "demo_fixture.h"

namespace marv::testing {
namespace {

class Walk : public LoadedDemo {
  protected:
    // Where the character stands after `n` more ticks of the walk.
    Cell after(int n) {
        while (n-- > 0) demo.walkStep();
        return position();
    }
};

TEST_F(Walk, StepsOneCellPerTickAndStopsOnTheDestination) {
    search({2, 5}, {5, 8});
    window.calls.clear();
    demo.startWalk();
    EXPECT_EQ(window.calls, Calls{"startTimer"}) << "no repaint at the start";
    EXPECT_EQ(state().mostrarBusqueda, 0);
    EXPECT_EQ(state().rutaPasos, (std::vector<std::string>{"3", "6", "4", "7", "5", "8"}));

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

// A one-cell path moves on the first tick and stops on the second; Ir then only stops and repaints.
TEST_F(Walk, OneCellPathAndIrAfterArrival) {
    search({2, 5}, {3, 5});
    demo.startWalk();
    EXPECT_EQ(after(1), (Cell{3, 5}));
    EXPECT_TRUE(window.timerRunning);
    after(1);
    EXPECT_FALSE(window.timerRunning);
    window.calls.clear();
    demo.startWalk();
    EXPECT_EQ(after(1), (Cell{3, 5}));
    EXPECT_EQ(window.calls, (Calls{"startTimer", "stopTimer", "dibujar"}));
}

// Ir again, and Ir after a placement, walk the path from its first cell.
TEST_F(Walk, IrWalksFromThePathsFirstCell) {
    search({2, 5}, {6, 5});
    demo.startWalk();
    EXPECT_EQ(after(2), (Cell{4, 5}));
    demo.startWalk();
    EXPECT_EQ(after(1), (Cell{3, 5}));
    placeCharacter(15, 15);
    EXPECT_EQ(state().encontrado, -1) << "a placement keeps the found path";
    demo.startWalk();
    EXPECT_EQ(after(1), (Cell{3, 5}));
    EXPECT_EQ(after(4), (Cell{6, 5}));
    EXPECT_FALSE(window.timerRunning);
}

TEST_F(Walk, ResetOrPlacementStopsAWalkWhereItStands) {
    search({2, 5}, {6, 5});
    demo.startWalk();
    after(1);
    demo.clickReiniciar();
    EXPECT_FALSE(window.timerRunning);
    EXPECT_EQ(position(), (Cell{3, 5}));

    demo.startWalk();
    after(1);
    placeCharacter(0, 19);
    EXPECT_FALSE(window.timerRunning);
    EXPECT_EQ(position(), (Cell{0, 19}));
}

TEST_F(Walk, NothingToWalkBeforeAnySearch) {
    demo.startWalk();
    EXPECT_TRUE(window.calls.empty());
}

TEST_F(Walk, ASearchStopsAWalkAndStartsFromWhereTheCharacterStands) {
    search({2, 5}, {8, 5});
    demo.startWalk();
    EXPECT_EQ(after(2), (Cell{4, 5}));
    press(kLeftButton, 4, 9);
    EXPECT_FALSE(window.timerRunning);
    EXPECT_EQ(state().ruta, "4,6,4,7,4,8,4,9");
}

}  // namespace
}  // namespace marv::testing
