#include "demo/window/demo_program.h"

#include <QApplication>
#include <QMessageBox>
#include <stdexcept>

#include "demo/window/demo_window.h"
#include "map/map_file.h"
#include "map/pictures/picture_set.h"
#include "map/tile_codes.h"

namespace marv {
namespace {

int failStart(const std::string& message) {
    QMessageBox::critical(nullptr, "marvane", QString::fromStdString(message));
    return 1;
}

}  // namespace

int runDemoProgram(const std::string& mapPath) {
    const auto values = readMapFile(mapPath);
    if (!values) return failStart(values.error());
    if (auto undrawable = findUndrawableCode(values.value(), demoCanDraw, "0 a 8", mapPath)) {
        return failStart(*undrawable);
    }
    try {
        PictureSet::shared();
    } catch (const std::exception& e) {
        return failStart(e.what());
    }
    DemoWindow window(values.value());
    window.show();
    return QApplication::exec();
}

}  // namespace marv
