#pragma once

#include <string>

namespace marv {

// A system error as a user reads it, in Spanish: a sentence for each error reading or saving a map
// can meet, and for any other the error's number.
std::string systemReason(int error);

// The reason given for a path that is not a regular file (a folder, a FIFO, a device).
inline constexpr const char* kNotARegularFile = "no es un archivo normal";

// The reason given for a symbolic link that a save or a read does not follow (see linkTarget).
inline constexpr const char* kForeignLinkInSharedFolder =
    "es un enlace simbólico de otro usuario en una carpeta compartida";

// The reason given when another program held the map's lock for all of a save's wait.
inline constexpr const char* kAnotherProgramIsSaving = "otro programa está guardando el mapa";

}  // namespace marv
