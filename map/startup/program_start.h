#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "map/core/expected.h"
#include "map/core/map_location.h"
#include "map/core/map_text.h"
#include "map/core/tile_codes.h"
#include "map/startup/window_facts.h"

namespace marv {

// What sets one program apart at start.
struct ProgramKind {
    QString name;         // its executable's and its menu entry's name
    WindowFacts window;   // its window's title, box title, size, font and icon
    DrawableCodes codes;  // the tile codes it can draw
    // The program's window for the map read from `map.read`.
    std::function<std::unique_ptr<QWidget>(const MapLocation& map, const MapValues& values)>
        makeWindow;
};

// The whole life of a program, from main. First its command line, before Qt is started, so that
// --help and --version (status 0) and a usage error (status 2) need no display and open no
// window. Then makes the application with whole-number screen scaling (so the 20-pixel pictures
// stay sharp), finds the program's map (thisCopysMap) and runs the program on it (runProgram,
// which first prepares the process). Failures are shown in a box, with status 1.
int programMain(int argc, char* argv[], const ProgramKind& kind);

// The map this copy uses: the one beside the programs, or, in a build for a system install
// (MARV_USER_MAP), the user's own, with the shipped sample standing in until the first save.
Expected<MapLocation> thisCopysMap();

// With the application made: loads the map at `map.read` with the program's codes, checks the
// built-in pictures and makes the program's window for the map, not yet shown; or says why the
// program cannot start.
Expected<std::unique_ptr<QWidget>> openProgramWindow(const ProgramKind& kind,
                                                     const MapLocation& map);
// The same for a map read and saved at `mapPath`.
Expected<std::unique_ptr<QWidget>> openProgramWindow(const ProgramKind& kind,
                                                     const std::string& mapPath);

// With the application made: ignores the file-size signal (ignoreFileSizeSignal, so that a save
// too large fails instead of ending the program), opens the program's window on the map at
// `mapPath` (openProgramWindow), shows it and runs until it is closed (status 0). A map that
// cannot be loaded or drawn is reported in a box and the window never appears (status 1).
int runProgram(const ProgramKind& kind, const std::string& mapPath);
int runProgram(const ProgramKind& kind, const MapLocation& map);

// ---- Test seam ---------------------------------------------------------------------------------
// The start-up's only hook for tests and install checks (the demonstration's window has the
// others, in demo_window.h): with this variable set to "1" in the environment, the program only
// checks that it can start. It prints the path of the map it loaded and leaves once its window is
// shown (status 0), or prints why it cannot start, with no box (status 1).
inline constexpr const char* kStartupCheckVariable = "MARV_STARTUP_CHECK";

}  // namespace marv
