#pragma once

#include <string>

#include "map/core/expected.h"
#include "map/core/map_text.h"
#include "map/core/tile_codes.h"

namespace marv {

inline constexpr const char* kMapFileName = "mapa.txt";

// mapa.txt in the given folder (the program's own, an absolute path).
std::string mapPathIn(const std::string& folder);

// Reads a whole regular file, read-only: a missing file is reported, never created, and a FIFO,
// a device or anything else that is not a regular file is refused without waiting on it. Another
// user's symbolic link in a sticky folder that anyone may write is refused (see saveMapFileText).
// While an in-place save holds the file, the read waits for it, for a second at most.
Expected<std::string> readMapFileText(const std::string& path);

Expected<MapValues> readMapFile(const std::string& path);

// What a program does at start: reads the map and checks that it can draw every code in it.
Expected<MapValues> loadMap(const std::string& path, const DrawableCodes& codes);

// Saves the text as the map at `path`, changing nothing but the text; when `path` is a symbolic
// link, into the file it points to, and the link stays. A link in a sticky folder that anyone may
// write is followed only when it belongs to this user or to the folder's owner. The text goes to
// a locked temporary file beside the map, which no one else may open before it has the old file's
// mode and ACL, is flushed to disk and renamed over it, with the old file's mode, owner, group,
// extended attributes (its ACL among them) and the inode flags a user may set; temporary files that
// crashed saves left behind are cleared first. The file is rewritten in place instead, safely and
// under a lock (see rewriteInPlace), when it has other names, when its folder takes no new file,
// when the replacement cannot be given all it had, or when it cannot be renamed over. A map whose
// mode has no write bit, that is immutable or append-only, or that this process may not write, is
// refused. On failure the message names the file and the reason, and the old file is left as it
// was, byte for byte.
Status saveMapFileText(const std::string& path, const std::string& text);

Status writeMapFile(const std::string& path, const CodeGrid& codes);

}  // namespace marv
