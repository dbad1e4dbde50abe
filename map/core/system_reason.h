#pragma once

#include <string>

namespace marv {

// A system error as a user reads it, in Spanish: a sentence for each error reading or saving a map
// can meet, and for any other the error's number.
std::string systemReason(int error);

// The reason given for a path that is not a regular file (a folder, a FIFO, a device).
inline constexpr const char* kNotARegularFile = "no es un archivo normal";

}  // namespace marv
