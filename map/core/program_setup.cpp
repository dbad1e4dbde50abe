#include "map/core/program_setup.h"

#include <csignal>

#include "map/core/file_system.h"

namespace marv {
namespace {

constexpr const char* kProgramNotFound =
    "No se sabe en qué carpeta está el programa, y por eso tampoco dónde está su mapa.";

}  // namespace

void ignoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

Expected<std::string> folderOfProgram(std::string_view executablePath) {
    if (executablePath.empty() || executablePath.front() != '/') {
        return Expected<std::string>::failure(kProgramNotFound);
    }
    return folderOf(executablePath);
}

Expected<std::string> programFolder() {
    const auto executable = readLink("/proc/self/exe");
    if (!executable) {
        return Expected<std::string>::failure("No se sabe en qué carpeta está el programa (" +
                                              executable.error() +
                                              "), y por eso tampoco dónde está su mapa.");
    }
    return folderOfProgram(executable.value());
}

}  // namespace marv
