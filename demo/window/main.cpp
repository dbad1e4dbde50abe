#include <QApplication>

#include "demo/window/demo_program.h"
#include "map/map_file.h"

int main(int argc, char* argv[]) {
    // Whole-number scaling keeps the board's pixels sharp on high-density screens.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);
    return marv::runDemoProgram(
        marv::mapPathIn(QCoreApplication::applicationDirPath().toStdString()));
}
