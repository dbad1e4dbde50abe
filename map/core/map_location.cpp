#include "map/core/map_location.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "map/core/file_system.h"
#include "map/core/map_file.h"
#include "map/core/system_reason.h"

namespace marv {
namespace {

bool absolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

}  // namespace

MapLocation mapAt(const std::string& path) {
    return {path, path, {}, false};
}

MapLocation mapBesideProgram(const std::string& programFolder) {
    return mapAt(mapPathIn(programFolder));
}

Expected<std::string> userMapPath(const char* home, const char* xdgDataHome) {
    if (absolute(xdgDataHome)) return mapPathIn(std::string(xdgDataHome) + "/marvane");
    if (absolute(home)) return mapPathIn(std::string(home) + "/.local/share/marvane");
    return Expected<std::string>::failure(
        "No se sabe dónde está su mapa: la variable HOME no está definida o no es una ruta "
        "absoluta, y XDG_DATA_HOME tampoco da una carpeta absoluta.");
}

Expected<MapLocation> userMapLocation(const std::string& programFolder,
                                      const std::string& sampleFromProgram, const char* home,
                                      const char* xdgDataHome) {
    const auto own = userMapPath(home, xdgDataHome);
    if (!own) return Expected<MapLocation>::failure(own.error());
    const std::string& path = own.value();
    const std::string folder = folderOf(path);
    struct stat info {};
    // Anything under that name but nothing at all, a dangling link among them, is the user's map:
    // a file that cannot be used is then reported rather than passed over for the sample.
    if (::stat(path.c_str(), &info) == 0 || errno != ENOENT)
        return MapLocation{path, path, folder, false};
    const std::string sample =
        (std::filesystem::path(programFolder) / sampleFromProgram).lexically_normal().string();
    return MapLocation{sample, path, folder, true};
}

Status makeMapFolder(const MapLocation& map) {
    if (map.folderToMake.empty()) return {};
    std::string made;
    for (const auto& part : std::filesystem::path(map.folderToMake)) {
        made = (std::filesystem::path(made) / part).string();
        if (::mkdir(made.c_str(), 0700) == 0) {
            // Exactly 0700, whatever the umask takes away.
            if (::chmod(made.c_str(), 0700) == 0) continue;
        } else if (errno == EEXIST) {
            continue;
        }
        return Status::failure("No se pudo guardar el mapa en " + map.save +
                               ": no se pudo crear la carpeta " + made + ": " +
                               systemReason(errno) + ".");
    }
    return {};
}

std::string describeMap(const Expected<MapLocation>& map) {
    if (!map) return "Mapa: " + map.error() + "\n";
    const MapLocation& where = map.value();
    std::string lines = "Mapa: " + where.save + "\n";
    if (where.readsSample)
        lines +=
            "  Aún no existe: hasta el primer Guardar de marvedit, que lo crea, los dos\n"
            "  programas leen el mapa de ejemplo " +
            where.read + ".\n";
    else
        lines += "  Lo leen marvane y marvedit; solo marvedit lo escribe, con Guardar.\n";
    return lines;
}

}  // namespace marv
