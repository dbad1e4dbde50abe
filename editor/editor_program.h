#pragma once

#include <string>

namespace marv {

// Loads the map at `mapPath`, shows the editor and runs the application until the window closes.
// When the map cannot be edited it says why and returns 1 without showing the window.
int runEditorProgram(const std::string& mapPath);

}  // namespace marv
