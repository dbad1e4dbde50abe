#pragma once

#include <string>

#include "map/expected.h"
#include "map/map_text.h"
#include "map/tile_codes.h"

namespace marv {

inline constexpr const char* kMapFileName = "mapa.txt";

// mapa.txt in the given folder (the program's own, an absolute path).
std::string mapPathIn(const std::string& folder);

// Reads a whole regular file, read-only: a missing file is reported, never created, and a FIFO,
// a device or anything else that is not a regular file is refused without waiting on it.
Expected<std::string> readTextFile(const std::string& path);

Expected<MapValues> readMapFile(const std::string& path);

// What a program does at start: reads the map and checks that it can draw every code in it.
Expected<MapValues> loadMap(const std::string& path, const DrawableCodes& codes);

// Saves the text over the file at `path`; when `path` is a symbolic link, over the file it points
// to, and the link stays. The text goes to a locked temporary file beside the target, is flushed
// to disk and renamed over it, keeping the old file's mode, and its owner and group where the
// process may set them; temporary files that crashed saves left behind are cleared first. A file
// this process may not write is refused. Only when the folder takes no new file, but the file
// itself may be written, is the file rewritten in place instead. On failure the message names the
// file and the reason, and the old file is untouched (except after a failed in-place write).
Status saveTextFile(const std::string& path, const std::string& text);

Status writeMapFile(const std::string& path, const CodeGrid& codes);

// The name pattern of the save's temporary files for the file `fileName`: a dot, the name,
// ".guardando-" and six letters or digits.
bool isSaveTemporaryOf(const std::string& entry, const std::string& fileName);

}  // namespace marv
