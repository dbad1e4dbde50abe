#pragma once

#include <string>

namespace marv {

// What the demonstration needs from its window, and nothing more.
class WindowOps {
  public:
    virtual ~WindowOps() = default;

    // Brings the board on screen up to date with the state; changes no state.
    virtual void dibujar() = 0;
    // After stopWalkTimer no tick arrives until startWalkTimer.
    virtual void stopWalkTimer() = 0;
    virtual void startWalkTimer() = 0;
    // Whether the CheckIr box is ticked.
    virtual bool checkIr() const = 0;
    virtual void setText1(const std::string& text) = 0;
    // Lets the window process pending events and, while the search is watched (CheckIr clear),
    // waits for the next step's deadline. False when the window is going away: the caller must
    // then stop at once and call nothing more on the window.
    virtual bool yieldUntilNextStep() = 0;
    // A modal message with an OK button; returns when the user has closed it.
    virtual void showMessage(const std::string& text) = 0;
};

}  // namespace marv
