#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "map/core/map_file.h"
#include "map/startup/program_start.h"
#include "temp_folder.h"

namespace marv::testing {

// A program's window on the map `text`, written into a folder of its own, opened through the
// program's own start-up (openProgramWindow) and not yet shown. Where the program refuses the
// map, `window` is null and `error` says why.
template <class W>
struct WindowOnMap {
    WindowOnMap(const ProgramKind& kind, const std::string& text) : path(mapPathIn(folder.path())) {
        TempFolder::write(path, text);
        auto opened = openProgramWindow(kind, path);
        if (!opened)
            error = opened.error();
        else if (qobject_cast<W*>(opened.value().get()))
            window.reset(static_cast<W*>(opened.value().release()));
    }

    TempFolder folder;
    std::string path;
    std::unique_ptr<W> window;
    std::string error;
};

}  // namespace marv::testing
