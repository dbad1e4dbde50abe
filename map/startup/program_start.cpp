#include "map/startup/program_start.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

#include "map/core/command_line.h"
#include "map/core/map_file.h"
#include "map/core/program_setup.h"
#include "map/pictures/picture_set.h"
#include "map/startup/fixed_size.h"
#include "map/startup/spanish_texts.h"
#include "map/startup/window_platform.h"

namespace marv {
namespace {

bool onlyCheckingStart() {
    return qEnvironmentVariable(kStartupCheckVariable) == QLatin1String("1");
}

int failStart(const ProgramKind& kind, const std::string& message) {
    if (onlyCheckingStart()) {
        std::fprintf(stderr, "%s\n", message.c_str());
    } else {
        QMessageBox box(QMessageBox::Critical, kind.window.boxTitle,
                        QString::fromStdString(message), QMessageBox::Ok);
        nameOkButtonInSpanish(box);
        offerNoMaximise(box);
        box.exec();
    }
    return 1;
}

// The name of the program's menu entry, without ".desktop".
QString desktopId(const ProgramKind& kind) {
    return QString::fromLatin1(MARV_APP_ID_PREFIX ".") + kind.name;
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

Expected<MapLocation> mapOfFolder(const Expected<std::string>& folder) {
    if (!MARV_USER_MAP) {
        if (!folder) return Expected<MapLocation>::failure(folder.error());
        return mapBesideProgram(folder.value());
    }
    auto map = userMapLocation(folder ? folder.value() : std::string(), MARV_SAMPLE_FROM_PROGRAM,
                               std::getenv("HOME"), std::getenv("XDG_DATA_HOME"));
    // Only the sample is looked for from the program's folder.
    if (map && map.value().readsSample && !folder)
        return Expected<MapLocation>::failure(folder.error());
    return map;
}

// Answers --help, --version or a usage error, with the status to end with; nothing for a run.
std::optional<int> answerCommandLine(int argc, char* argv[], const ProgramKind& kind) {
    const std::vector<std::string_view> arguments(argv + std::min(argc, 1), argv + argc);
    const CommandLine command = readCommandLine(arguments);
    const std::string name = kind.name.toStdString();
    switch (command.action) {
        case CommandAction::kRun:
            return std::nullopt;
        case CommandAction::kHelp:
            std::fputs(helpText(name, describeMap(thisCopysMap())).c_str(), stdout);
            return 0;
        case CommandAction::kVersion:
            std::fputs(versionText(name).c_str(), stdout);
            return 0;
        case CommandAction::kUsageError:
            std::fputs(usageErrorText(name, command.offending).c_str(), stderr);
            return kUsageErrorStatus;
    }
    return std::nullopt;
}

}  // namespace

Expected<MapLocation> thisCopysMap() {
    return mapOfFolder(programFolder());
}

int programMain(int argc, char* argv[], const ProgramKind& kind) {
    if (const auto status = answerCommandLine(argc, argv, kind)) return *status;
    chooseWindowPlatform(argc, argv);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);
    // Lets the desktop match the window with the program's menu entry and icon.
    QGuiApplication::setDesktopFileName(desktopId(kind));
    const auto folder = ownFolder();
    loadQtSpanish(folder ? QFile::decodeName(folder.value().c_str()) : QString());
    const auto map = mapOfFolder(folder);
    if (!map) return failStart(kind, map.error());
    return runProgram(kind, map.value());
}

Expected<std::unique_ptr<QWidget>> openProgramWindow(const ProgramKind& kind,
                                                     const MapLocation& map) {
    using Result = Expected<std::unique_ptr<QWidget>>;
    const auto values = loadMap(map.read, kind.codes);
    if (!values) return Result::failure(values.error());
    // The pictures are built in, so this fails only with a broken build.
    if (const auto& pictures = PictureSet::builtIn(); !pictures)
        return Result::failure("No se pueden cargar las imágenes del programa: " +
                               pictures.error());
    return Result(kind.makeWindow(map, values.value()));
}

Expected<std::unique_ptr<QWidget>> openProgramWindow(const ProgramKind& kind,
                                                     const std::string& mapPath) {
    return openProgramWindow(kind, mapAt(mapPath));
}

int runProgram(const ProgramKind& kind, const MapLocation& map) {
    ignoreFileSizeSignal();
    const auto window = openProgramWindow(kind, map);
    if (!window) return failStart(kind, window.error());
    window.value()->show();
    if (onlyCheckingStart()) {
        QCoreApplication::processEvents();
        std::printf("%s\n", map.read.c_str());
        return 0;
    }
    return QApplication::exec();
}

int runProgram(const ProgramKind& kind, const std::string& mapPath) {
    return runProgram(kind, mapAt(mapPath));
}

}  // namespace marv
