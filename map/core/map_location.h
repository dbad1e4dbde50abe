#pragma once

#include <string>

#include "map/core/expected.h"

namespace marv {

// Which map a program reads at start and which one the editor's Guardar writes.
struct MapLocation {
    std::string read;
    std::string save;
    // Where not empty, the folder of `save`, which the first save makes where it is missing,
    // with its missing parents, each with mode 0700.
    std::string folderToMake;
    // True while the user's map does not exist yet and the shipped sample stands in for it.
    bool readsSample = false;
};

// A map read and saved at `path`.
MapLocation mapAt(const std::string& path);

// The map beside the programs: read and written in place.
MapLocation mapBesideProgram(const std::string& programFolder);

// The user's own map: $XDG_DATA_HOME/marvane/mapa.txt, or $HOME/.local/share/marvane/mapa.txt
// where XDG_DATA_HOME is unset, empty or relative. Null arguments stand for unset variables.
// Fails, in Spanish, when neither gives an absolute folder.
Expected<std::string> userMapPath(const char* home, const char* xdgDataHome);

// Both programs on the user's own map. While it does not exist they read the sample, at
// `sampleFromProgram` relative to the program's folder, and the first save makes it.
Expected<MapLocation> userMapLocation(const std::string& programFolder,
                                      const std::string& sampleFromProgram, const char* home,
                                      const char* xdgDataHome);

// Makes `folderToMake` where it is missing; nothing when it is empty or already there.
Status makeMapFolder(const MapLocation& map);

// The lines of the usage text that say which map this copy uses.
std::string describeMap(const Expected<MapLocation>& map);

}  // namespace marv
