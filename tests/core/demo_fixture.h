#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "demo/search/demo.h"
#include "support/board_text.h"

namespace marv::testing {

using Calls = std::vector<std::string>;

// Records every window operation, in order, as a short word ("dibujar", "text:...", ...).
class FakeWindow : public WindowOps {
  public:
    Calls calls;
    bool checkIrTicked = false;
    bool timerRunning = false;
    // Runs inside each pumpEvents, as pending events would; returns whether the window lives on.
    std::function<bool(int)> onPumpEvents;

    void dibujar() override { calls.push_back("dibujar"); }
    void stopWalkTimer() override {
        timerRunning = false;
        calls.push_back("stopTimer");
    }
    void startWalkTimer() override {
        timerRunning = true;
        calls.push_back("startTimer");
    }
    bool checkIr() const override { return checkIrTicked; }
    void setText1(const std::string& text) override { calls.push_back("text:" + text); }
    bool pumpEvents() override {
        calls.push_back("pumpEvents");
        return onPumpEvents ? onPumpEvents(static_cast<int>(count("pumpEvents"))) : true;
    }
    void showMessage(const std::string& text) override { calls.push_back("message:" + text); }

    long count(const std::string& call) const { return std::ranges::count(calls, call); }
};

// A demonstration on a fake window, loaded with an open board; the window has seen nothing yet.
class LoadedDemo : public ::testing::Test {
  protected:
    LoadedDemo() { load(board()); }

    void load(const MapValues& values) {
        demo.load(values);
        window.calls.clear();
    }
    // A press in the middle of a cell.
    void press(int button, int column, int row, bool personaje = false) {
        demo.pressBoard(button, column * 20 + 10, row * 20 + 10, personaje);
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

    FakeWindow window;
    Demo demo{window};
};

}  // namespace marv::testing
