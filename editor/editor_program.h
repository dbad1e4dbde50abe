#pragma once

#include <string>

#include "map/startup/program_start.h"

namespace marv {

inline constexpr WindowFacts kEditorWindowFacts{
    "Editor", "Editor", {461, 401}, 11, ProgramIcon::kMarvedit};

// How marvedit starts: its caption, the codes it draws, its window.
const ProgramKind& editorProgram();

// Runs marvedit on the map at `mapPath` (see runProgram).
int runEditorProgram(const std::string& mapPath);

}  // namespace marv
