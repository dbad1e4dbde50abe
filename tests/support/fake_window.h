#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "demo/search/window_ops.h"

namespace marv::testing {

using Calls = std::vector<std::string>;

// A window that does nothing but, while `recording`, note every operation asked of it, in order,
// as a short word ("dibujar", "text:...", ...).
class FakeWindow : public WindowOps {
  public:
    Calls calls;
    bool recording = true;
    bool checkIrTicked = false;
    bool timerRunning = false;
    // Runs inside each yieldUntilNextStep, as pending events would; returns whether the window
    // lives on.
    std::function<bool()> onYield;

    void dibujar() override { note("dibujar"); }
    void stopWalkTimer() override {
        timerRunning = false;
        note("stopTimer");
    }
    void startWalkTimer() override {
        timerRunning = true;
        note("startTimer");
    }
    bool checkIr() const override { return checkIrTicked; }
    void setText1(const std::string& text) override { note("text:" + text); }
    bool yieldUntilNextStep() override {
        note("yield");
        return onYield ? onYield() : true;
    }
    void showMessage(const std::string& text) override { note("message:" + text); }

    long count(const std::string& call) const { return std::ranges::count(calls, call); }

  private:
    void note(std::string call) {
        if (recording) calls.push_back(std::move(call));
    }
};

}  // namespace marv::testing
