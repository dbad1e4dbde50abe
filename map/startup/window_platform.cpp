#include "map/startup/window_platform.h"

#include <cstdlib>
#include <string_view>

namespace marv {
namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

std::string platformToRequest(const WindowSystemEnvironment& environment,
                              std::span<const char* const> arguments) {
    if (environment.display.empty() || environment.waylandDisplay.empty() ||
        !environment.qtPlatform.empty())
        return "";
    // Qt takes its options with one dash or two.
    for (const char* argument : arguments) {
        const std::string_view option(argument);
        if (option == "-platform" || option == "--platform") return "";
    }
    // Wayland stays as the fallback should the X server not answer.
    return "xcb;wayland";
}

void chooseWindowPlatform(int argc, char* argv[]) {
    const WindowSystemEnvironment environment{environmentValue("DISPLAY"),
                                              environmentValue("WAYLAND_DISPLAY"),
                                              environmentValue("QT_QPA_PLATFORM")};
    const std::string platform = platformToRequest(
        environment, std::span<const char* const>(argv + 1, argc > 0 ? argc - 1 : 0));
    if (!platform.empty()) ::setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
}

}  // namespace marv
