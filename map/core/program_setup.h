#pragma once

#include <string>
#include <string_view>

#include "map/core/expected.h"

namespace marv {

// Ignores the signal a write past the file-size limit raises, so that such a write fails with
// EFBIG and the save reports it, instead of the signal ending the program with the user's edits.
// Both programs' start calls it before the map is read.
void ignoreFileSizeSignal();

// The folder of the running program, as raw bytes, from the system's link to its executable.
// Never a relative path: a program that cannot tell where it is must not guess.
Expected<std::string> programFolder();

// The folder part of an absolute path to the program; fails on an empty or relative one.
Expected<std::string> folderOfProgram(std::string_view executablePath);

}  // namespace marv
