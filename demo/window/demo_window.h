#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <optional>

#include "demo/search/demo.h"
#include "map/core/drawn_cells.h"
#include "map/core/map_text.h"

class QCheckBox;
class QEventLoop;
class QLineEdit;
class QMessageBox;

namespace marv {

class BoardView;
class PictureSet;

// The demonstration's window: owns the controls, carries out the window operations the
// demonstration asks for, and routes every event to it.
class DemoWindow : public QWidget, public WindowOps {
    Q_OBJECT
  public:
    // How long each step of a watched search lasts at least, so that it can be followed.
    static constexpr int kStepPeriodMs = 20;
    static constexpr int kWalkIntervalMs = 50;

    explicit DemoWindow(const MapValues& values, QWidget* parent = nullptr);
    ~DemoWindow() override;

    const Demo& demo() const { return demo_; }
    BoardView* board() const { return mainpic_; }
    bool walking() const { return timer_.isActive(); }

    void dibujar() override;
    void stopWalkTimer() override;
    void startWalkTimer() override;
    bool checkIr() const override;
    void setText1(const std::string& text) override;
    bool yieldUntilNextStep() override;
    void showMessage(const std::string& text) override;

    // ---- Test seam ------------------------------------------------------------------------
    // Everything the window offers only to the tests, step_pace and the picture tool, all in
    // this section; the program itself never uses it. (The start-up's one is in
    // program_start.h.) They open the window through openProgramWindow, as the program does.
  public:
    // The demonstration, to call its handlers straight, as the walk's timer does.
    Demo& demo() { return demo_; }
    // The least time between the steps of a watched search; 0 runs them as fast as they come.
    void setStepPeriodMs(int ms) { stepPeriod_ = std::chrono::milliseconds(ms); }
  signals:
    // After every repaint of the board, so that a test can act on a known step.
    void boardDrawn();
    // ---- End of the test seam -------------------------------------------------------------

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void waitForNextStep();

    const PictureSet& pictures_;
    // The controls used after construction; the others are only the window's children.
    BoardView* mainpic_;
    QLineEdit* text1_;
    QCheckBox* checkIr_;
    QCheckBox* personaje_;
    QTimer timer_;
    DrawnCells drawn_;
    Demo demo_;

    std::chrono::steady_clock::duration stepPeriod_ = std::chrono::milliseconds(kStepPeriodMs);
    // When the next step of a watched search may start: each one the previous plus the period,
    // so that the time the steps take themselves is not added on top of it.
    std::optional<std::chrono::steady_clock::time_point> nextStep_;
    QEventLoop* pacing_ = nullptr;
    QPointer<QMessageBox> openMessage_;
    bool closing_ = false;
};

}  // namespace marv
