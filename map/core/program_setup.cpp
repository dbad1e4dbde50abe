#include "map/core/program_setup.h"

#include <csignal>

#include "map/core/file_system.h"

namespace marv {
namespace {

// `why`, when given, is the system's reason.
Expected<std::string> programNotFound(const std::string& why = {}) {
    return Expected<std::string>::failure("No se sabe en qué carpeta está el programa" +
                                          (why.empty() ? "" : " (" + why + ")") +
                                          ", y por eso tampoco dónde está su mapa.");
}

}  // namespace

void ignoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

Expected<std::string> folderOfProgram(std::string_view executablePath) {
    if (executablePath.empty() || executablePath.front() != '/') {
        return programNotFound();
    }
    return folderOf(executablePath);
}

Expected<std::string> programFolder() {
    const auto executable = readLink("/proc/self/exe");
    if (!executable) return programNotFound(executable.error());
    return folderOfProgram(executable.value());
}

}  // namespace marv
