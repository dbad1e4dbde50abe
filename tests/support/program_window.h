#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <utility>

#include "map/core/map_file.h"
#include "map/startup/program_start.h"
#include "temp_folder.h"

namespace marv::testing {

// The program's window on the map at `mapPath`, opened through the program's own start-up
// (openProgramWindow) and not yet shown; or why it cannot open.
template <class W>
Expected<std::unique_ptr<W>> openWindow(const ProgramKind& kind, const std::string& mapPath) {
    auto opened = openProgramWindow(kind, mapPath);
    if (!opened) return Expected<std::unique_ptr<W>>::failure(opened.error());
    auto* window = qobject_cast<W*>(opened.value().get());
    if (!window) return Expected<std::unique_ptr<W>>::failure("otra clase de ventana");
    opened.value().release();
    return std::unique_ptr<W>(window);
}

// A program's window, opened as above, on the map `text` written into a folder of its own. Where
// the program refuses the map, `window` is null and `error` says why.
template <class W>
struct WindowOnMap {
    WindowOnMap(const ProgramKind& kind, const std::string& text) : path(mapPathIn(folder.path())) {
        TempFolder::write(path, text);
        auto opened = openWindow<W>(kind, path);
        if (opened) {
            window = std::move(opened.value());
        } else {
            error = opened.error();
        }
    }

    TempFolder folder;
    std::string path;
    std::unique_ptr<W> window;
    std::string error;
};

}  // namespace marv::testing
