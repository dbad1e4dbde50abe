// Times the steps of a watched search in the real window, offscreen: an open board with water on
// the last two cells of the right edge, searched for one of them in turn (a search for the last
// destination again is refused), so each search closes all 398 walkable cells, the start and then
// one a step for 397 steps, before giving up.
// Prints the mean and spread of the step period for each run (the 396 periods between its 397
// steps), then the same over all runs, and the steps that follow a pause made by the cell-data box
// in the middle of one more search.
//
//   step_pace [runs]        (default 3)
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "demo/window/demo_program.h"
#include "demo/window/demo_window.h"
#include "map/core/board_geometry.h"
#include "tests/support/board_text.h"
#include "tests/support/program_window.h"

namespace {

using Clock = std::chrono::steady_clock;

const std::string kOpenBoardWithWaterInTheCorner =
    marv::testing::mapText({"...................#", "...................#"}, marv::kLastIndex - 1);

// Searches for each water cell in turn, so that the search is never refused.
void searchTheWater(marv::DemoWindow& window) {
    static int searches = 0;
    window.demo().buscar(marv::kLastIndex, marv::kLastIndex - searches++ % 2);
}

// The periods between the repaints of a search's steps; its first repaint, the reset's, comes
// before any step.
std::vector<double> periodsMs(const std::vector<Clock::time_point>& starts) {
    std::vector<double> out;
    for (std::size_t i = 2; i < starts.size(); ++i)
        out.push_back(std::chrono::duration<double, std::milli>(starts[i] - starts[i - 1]).count());
    return out;
}

void report(const char* label, const std::vector<double>& periods) {
    if (periods.empty()) return;
    double sum = 0;
    for (double p : periods) sum += p;
    const double mean = sum / periods.size();
    double squares = 0;
    for (double p : periods) squares += (p - mean) * (p - mean);
    const double spread = std::sqrt(squares / periods.size());
    const auto [least, most] = std::minmax_element(periods.begin(), periods.end());
    std::printf("%-8s steps %4zu  mean %7.3f ms  sd %6.3f ms  min %7.3f  max %7.3f\n", label,
                periods.size(), mean, spread, *least, *most);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    marv::testing::WindowOnMap<marv::DemoWindow> opened(marv::demoProgram(),
                                                        kOpenBoardWithWaterInTheCorner);
    if (!opened.window) {
        std::fprintf(stderr, "%s\n", opened.error.c_str());
        return 1;
    }
    marv::DemoWindow& window = *opened.window;
    // Each step of a watched search ends with its repaint, then waits for its turn to go on: the
    // repaints keep the steps' pace.
    std::vector<Clock::time_point> starts;
    QObject::connect(&window, &marv::DemoWindow::boardDrawn,
                     [&starts] { starts.push_back(Clock::now()); });
    window.show();
    QApplication::processEvents();

    std::printf("step period, goal %d ms:\n", marv::DemoWindow::kStepPeriodMs);
    std::vector<double> all;
    for (int run = 1; run <= runs; ++run) {
        starts.clear();
        searchTheWater(window);
        const auto periods = periodsMs(starts);
        report(("run " + std::to_string(run)).c_str(), periods);
        all.insert(all.end(), periods.begin(), periods.end());
    }
    report("all", all);

    // A right press 100 steps in opens the cell-data box, which is answered 300 ms later; the
    // steps after it should keep the period rather than hurry to make up for the pause.
    constexpr int kPauseAt = 100;
    constexpr int kPauseMs = 300;
    starts.clear();
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (static_cast<int>(starts.size()) < kPauseAt) return;
        poll.stop();
        QTimer::singleShot(kPauseMs, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->accept();
        });
        const marv::PixelPoint centre = marv::testing::cellCentre({5, 5});
        window.demo().pressBoard(marv::kRightButton, centre.x, centre.y, false);
    });
    poll.start();
    searchTheWater(window);
    const auto periods = periodsMs(starts);
    if (static_cast<int>(periods.size()) > kPauseAt + 10) {
        const auto pause = std::max_element(periods.begin(), periods.end());
        std::printf("pause   %.1f ms, then:", *pause);
        for (auto p = pause + 1; p != periods.end() && p <= pause + 8; ++p)
            std::printf(" %.2f", *p);
        std::printf(" ms\n");
        report("after", std::vector<double>(pause + 1, periods.end()));
    }
    return 0;
}
