#pragma once

#include <span>
#include <string>

namespace marv {

// The environment that decides which window system Qt starts on; an empty value stands for an
// unset one, as Qt reads them.
struct WindowSystemEnvironment {
    std::string display;         // DISPLAY: an X server
    std::string waylandDisplay;  // WAYLAND_DISPLAY: a Wayland compositor
    std::string qtPlatform;      // QT_QPA_PLATFORM: the user's own choice
};

// The platforms to ask Qt for, or "" to leave Qt's choice alone. A Wayland session that also
// offers X gets X11 first: there the compositor draws the title bar and reads the request for no
// maximise button, which the title bar Qt draws itself on Wayland ignores. The user's own choice,
// in QT_QPA_PLATFORM or with Qt's -platform option among `arguments`, always stands.
std::string platformToRequest(const WindowSystemEnvironment& environment,
                              std::span<const char* const> arguments);

// Asks Qt for that platform through QT_QPA_PLATFORM. Call before the QApplication is made.
void chooseWindowPlatform(int argc, char* argv[]);

}  // namespace marv
