#pragma once

#include <string>

#include "map/startup/program_start.h"

namespace marv {

inline constexpr WindowFacts kDemoWindowFacts{
    "marvane A*", "marvane", {400, 465}, 11, ProgramIcon::kMarvane};

// How marvane starts: its caption, the codes it draws, its window.
const ProgramKind& demoProgram();

// Runs marvane on the map at `mapPath` (see runProgram).
int runDemoProgram(const std::string& mapPath);

}  // namespace marv
