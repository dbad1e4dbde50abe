#pragma once

#include <optional>
#include <string>

#include "map/expected.h"
#include "map/map_text.h"

namespace marv {

inline constexpr const char* kMapFileName = "mapa.txt";

// mapa.txt in the given folder (the program's own).
std::string mapPathIn(const std::string& folder);

// Reads the whole file, read-only; a missing file is reported, never created.
Expected<std::string> readTextFile(const std::string& path);

Expected<MapValues> readMapFile(const std::string& path);

// Replaces the file whole and atomically: the text goes to a temporary file in the same folder,
// is flushed to disk and renamed over `path`. On failure the old file is untouched and the
// message says why.
std::optional<std::string> writeMapFile(const std::string& path, const CodeGrid& codes);
std::optional<std::string> writeTextFileAtomically(const std::string& path,
                                                   const std::string& text);

}  // namespace marv
