#pragma once

#include <string>

namespace marv {

// A system error as a user reads it, in Spanish for the errors a map file can meet; the system's
// own text for the rest.
std::string systemReason(int error);

// The reason given for a path that is not a regular file (a folder, a FIFO, a device).
inline constexpr const char* kNotARegularFile = "no es un archivo normal";

}  // namespace marv
