#pragma once

#include <functional>
#include <string>
#include <vector>

#include "demo/search/window_ops.h"

namespace marv::testing {

// Records every window operation, in order, as a short word ("dibujar", "text:...", ...).
class FakeWindow : public WindowOps {
  public:
    std::vector<std::string> calls;
    bool checkIrTicked = false;
    bool timerRunning = false;
    int pumpCount = 0;
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
        ++pumpCount;
        return onPumpEvents ? onPumpEvents(pumpCount) : true;
    }
    void showMessage(const std::string& text) override { calls.push_back("message:" + text); }

    int count(const std::string& call) const {
        int n = 0;
        for (const auto& c : calls) n += c == call;
        return n;
    }
};

}  // namespace marv::testing
