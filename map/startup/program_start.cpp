#include "map/startup/program_start.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <cstdio>

#include "map/core/map_file.h"
#include "map/core/program_setup.h"
#include "map/pictures/picture_set.h"
#include "map/startup/fixed_size.h"
#include "map/startup/spanish_texts.h"
#include "map/startup/window_platform.h"

namespace marv {
namespace {

bool onlyCheckingStart() {
    return qEnvironmentVariable("MARV_STARTUP_CHECK") == QLatin1String("1");
}

int failStart(const ProgramKind& kind, const std::string& message) {
    if (onlyCheckingStart()) {
        std::fprintf(stderr, "%s\n", message.c_str());
    } else {
        QMessageBox box(QMessageBox::Critical, kind.caption, QString::fromStdString(message),
                        QMessageBox::Ok);
        nameOkButtonInSpanish(box);
        offerNoMaximise(box);
        box.exec();
    }
    return 1;
}

Expected<std::string> ownFolder() {
    auto folder = programFolder();
    if (folder) return folder;
    // Where the system offers no link to the executable, Qt's answer will do, taken as bytes,
    // but only if it really gave one.
    const QString file = QCoreApplication::applicationFilePath();
    if (file.isEmpty()) return folder;
    return folderOfProgram(QFile::encodeName(file).toStdString());
}

}  // namespace

int programMain(int argc, char* argv[], const ProgramKind& kind) {
    chooseWindowPlatform(argc, argv);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);
    // Lets the desktop match the window with the program's menu entry and icon.
    QGuiApplication::setDesktopFileName(kind.name);
    const auto folder = ownFolder();
    loadQtSpanish(folder ? QFile::decodeName(folder.value().c_str()) : QString());
    if (!folder) return failStart(kind, folder.error());
    return runProgram(kind, mapPathIn(folder.value()));
}

Expected<std::unique_ptr<QWidget>> openProgramWindow(const ProgramKind& kind,
                                                     const std::string& mapPath) {
    using Result = Expected<std::unique_ptr<QWidget>>;
    const auto values = loadMap(mapPath, kind.codes);
    if (!values) return Result::failure(values.error());
    // The pictures are built in, so this fails only with a broken build.
    if (const auto& pictures = PictureSet::builtIn(); !pictures)
        return Result::failure("No se pueden cargar las imágenes del programa: " +
                               pictures.error());
    return Result(kind.makeWindow(mapPath, values.value()));
}

int runProgram(const ProgramKind& kind, const std::string& mapPath) {
    ignoreFileSizeSignal();
    const auto window = openProgramWindow(kind, mapPath);
    if (!window) return failStart(kind, window.error());
    window.value()->show();
    if (onlyCheckingStart()) {
        QCoreApplication::processEvents();
        std::printf("%s\n", mapPath.c_str());
        return 0;
    }
    return QApplication::exec();
}

}  // namespace marv
