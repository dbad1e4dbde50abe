#pragma once

#include <gtest/gtest.h>

#include "demo/search/demo.h"
#include "support/board_text.h"
#include "support/fake_window.h"

namespace marv::testing {

// A demonstration on a fake window, loaded with an open board; the window has seen nothing yet.
class LoadedDemo : public ::testing::Test {
  protected:
    LoadedDemo() { load(mapOf()); }

    void load(const MapValues& values) {
        demo.load(values);
        window.calls.clear();
    }
    // A press in the middle of a cell.
    void press(int button, int column, int row, bool personaje = false) {
        const PixelPoint at = cellCentre({column, row});
        demo.pressBoard(button, at.x, at.y, personaje);
    }
    void placeCharacter(int column, int row) { press(kLeftButton, column, row, true); }
    // Places the character on `from` and searches `to`; the window has seen only the search.
    void search(Cell from, Cell to) {
        placeCharacter(from.column, from.row);
        window.calls.clear();
        press(kLeftButton, to.column, to.row);
    }
    const DemoState& state() const { return demo.state(); }
    Cell position() const { return {state().posX, state().posY}; }
    // Where the character stands after `n` more ticks of the walk.
    Cell after(int n) {
        while (n-- > 0) demo.walkStep();
        return position();
    }

    FakeWindow window;
    Demo demo{window};
};

}  // namespace marv::testing
