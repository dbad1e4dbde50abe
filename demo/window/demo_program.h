#pragma once

#include <string>

namespace marv {

// Loads the map at `mapPath`, shows the window and runs until it is closed (status 0). A map that
// cannot be loaded or drawn is reported in a message box, and the window never appears (status 1).
int runDemoProgram(const std::string& mapPath);

}  // namespace marv
