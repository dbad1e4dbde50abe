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
    int checkIrValue = 0;
    bool timerRunning = false;
    int doEventsCount = 0;
    // Runs inside each doEvents, as pending events would; returns whether the window lives on.
    std::function<bool(int)> onDoEvents;

    void dibujar() override { calls.push_back("dibujar"); }
    void stopWalkTimer() override {
        timerRunning = false;
        calls.push_back("stopTimer");
    }
    void startWalkTimer() override {
        timerRunning = true;
        calls.push_back("startTimer");
    }
    int checkIr() const override { return checkIrValue; }
    void setText1(const std::string& text) override { calls.push_back("text:" + text); }
    bool doEvents() override {
        calls.push_back("doEvents");
        ++doEventsCount;
        return onDoEvents ? onDoEvents(doEventsCount) : true;
    }
    void showMessage(const std::string& text) override { calls.push_back("message:" + text); }

    int count(const std::string& call) const {
        int n = 0;
        for (const auto& c : calls) n += c == call;
        return n;
    }
};

}  // namespace marv::testing
