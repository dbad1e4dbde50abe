#include "map/program_setup.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>

#include "map/system_reason.h"

namespace marv {

void prepareProcess() {
    std::signal(SIGXFSZ, SIG_IGN);
}

Expected<std::string> folderOfProgram(std::string_view executablePath) {
    if (executablePath.empty() || executablePath.front() != '/') {
        return Expected<std::string>::failure(
            "No se sabe en qué carpeta está el programa, y por eso tampoco dónde está su mapa.");
    }
    const auto slash = executablePath.rfind('/');
    return std::string(slash == 0 ? "/" : executablePath.substr(0, slash));
}

Expected<std::string> programFolder() {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (n < 0 || n == static_cast<ssize_t>(sizeof buffer)) {
        return Expected<std::string>::failure("No se sabe en qué carpeta está el programa (" +
                                              systemReason(n < 0 ? errno : ENAMETOOLONG) +
                                              "), y por eso tampoco dónde está su mapa.");
    }
    return folderOfProgram(std::string_view(buffer, static_cast<std::size_t>(n)));
}

}  // namespace marv
