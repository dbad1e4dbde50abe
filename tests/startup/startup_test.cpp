// Starts the real programs, in their start-up check mode, from awkward places.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#include "map/core/map_file.h"
#include "map/startup/window_platform.h"
#include "support/board_text.h"
#include "support/child_process.h"
#include "support/temp_folder.h"

namespace marv::testing {
namespace {

namespace fs = std::filesystem;

// Runs `program` with `arguments` from the folder `cwd`, in its start-up check mode; its output
// and error streams go to the files "out" and "err" in `logs`. With no display, Qt is given none
// either: any attempt to open a window fails. A run longer than 20 s is ended by SIGALRM.
ChildResult start(const std::string& program, const std::string& cwd, const TempFolder& logs,
                  std::vector<const char*> arguments = {}, bool display = true) {
    return runInChild(
        [&] {
            if (!std::freopen(logs.file("out").c_str(), "w", stdout) ||
                !std::freopen(logs.file("err").c_str(), "w", stderr) || ::chdir(cwd.c_str()) != 0)
                return std::string("no se pudo preparar");
            ::setenv("MARV_STARTUP_CHECK", "1", 1);
            if (display) {
                ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            } else {
                for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                    ::unsetenv(name);
            }
            arguments.insert(arguments.begin(), program.c_str());
            arguments.push_back(nullptr);
            ::execv(program.c_str(), const_cast<char* const*>(arguments.data()));
            return std::string("no se pudo ejecutar");
        },
        RunAs::kSelf, 20);
}

// Each program, copied into a folder whose name is not UTF-8, loads the map beside it and never
// one in the folder it was started from; a FIFO in its place is refused at once.
TEST(Startup, ProgramsUseTheMapBesideThemAndNeverWaitOnIt) {
    for (const char* program : {MARVANE_PATH, MARVEDIT_PATH}) {
        SCOPED_TRACE(program);
        TempFolder root;
        const std::string folder = root.file("mapas-\xff\xfe");
        const std::string elsewhere = root.file("otra");
        fs::create_directory(folder);
        fs::create_directory(elsewhere);
        const std::string copy = folder + "/" + fs::path(program).filename().string();
        fs::copy_file(program, copy);
        TempFolder::write(mapPathIn(folder), mapText({}));
        TempFolder::write(mapPathIn(elsewhere), "no es un mapa,");

        ChildResult run = start(copy, elsewhere, root);
        EXPECT_EQ(run.status, 0) << TempFolder::read(root.file("err"));
        EXPECT_EQ(run.said, "");
        EXPECT_EQ(TempFolder::read(root.file("out")), mapPathIn(folder) + "\n");

        fs::remove(mapPathIn(folder));
        ASSERT_EQ(::mkfifo(mapPathIn(folder).c_str(), 0644), 0);
        run = start(copy, elsewhere, root);
        EXPECT_EQ(run.status, 1);
        const std::string err = TempFolder::read(root.file("err"));
        EXPECT_NE(err.find("El mapa " + mapPathIn(folder) + " no es un archivo normal.\n"),
                  std::string::npos)
            << err;
        EXPECT_EQ(TempFolder::read(mapPathIn(elsewhere)), "no es un mapa,");
    }
}

// Each program's command line, without a display: only a run with Qt's own -platform option
// opens a window (offscreen); everything else answers at once, opens none and reads no map.
TEST(Startup, CommandLineAnswersWithoutADisplay) {
    struct Row {
        const char* name;
        std::vector<const char*> arguments;
        int status;
        std::string out;                 // "Uso:" stands for the usage text, checked below
        std::optional<std::string> err;  // none: Qt may say what it likes
    };
    for (const std::string program : {MARVANE_PATH, MARVEDIT_PATH}) {
        const std::string name = fs::path(program).filename().string();
        const std::string version = name + " " MARV_VERSION "\n";
        const auto refusing = [&](const std::string& argument) {
            return name + ": no se admite el argumento «" + argument + "».\nConsulte «" + name +
                   " --help» para ver las opciones.\n";
        };
        TempFolder root;
        const std::string map = mapPathIn(fs::path(program).parent_path().string());
        const Row rows[] = {
            {"Version", {"--version"}, 0, version, ""},
            {"Help", {"--help"}, 0, "Uso:", ""},
            {"QtFirst", {"-platform", "offscreen", "-style=Fusion", "-v"}, 0, version, ""},
            {"UnknownOption", {"--mapa"}, 2, "", refusing("--mapa")},
            {"AFileName", {"otro.txt"}, 2, "", refusing("otro.txt")},
            {"AQtOptionsValueIsNoArgument", {"-style", "Fusion", "-x"}, 2, "", refusing("-x")},
            {"UnknownWinsOverHelp", {"-h", "--ayuda"}, 2, "", refusing("--ayuda")},
            {"QtPlatform", {"-platform", "offscreen", "-style", "Fusion"}, 0, map + "\n", {}},
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(name + " " + row.name);
            const ChildResult run = start(program, root.path(), root, row.arguments, false);
            EXPECT_EQ(run.status, row.status);
            EXPECT_EQ(run.said, "");
            const std::string out = TempFolder::read(root.file("out"));
            if (row.err) {
                EXPECT_EQ(TempFolder::read(root.file("err")), *row.err);
            }
            if (row.out != "Uso:") {
                EXPECT_EQ(out, row.out);
                continue;
            }
            EXPECT_EQ(out.rfind("Uso: " + name + " [OPCIÓN]\n", 0), 0u) << out;
            for (const std::string& part : {"\nMapa: " + map + "\n", std::string("-h, --help"),
                                            std::string("-v, --version"), std::string("-platform")})
                EXPECT_NE(out.find(part), std::string::npos) << part << " in\n" << out;
        }
    }
}

// A Wayland session that also offers X starts on X11, unless the user chose a platform; every
// other session keeps Qt's own choice.
TEST(Startup, WaylandWithXStartsOnX11UnlessThePlatformIsChosen) {
    struct Row {
        const char* session;
        WindowSystemEnvironment environment;
        std::vector<const char*> arguments;
        const char* requested;
    };
    const Row rows[] = {
        {"X11 alone", {":0", "", ""}, {}, ""},
        {"Wayland alone", {"", "wayland-0", ""}, {}, ""},
        {"Wayland with X", {":0", "wayland-0", ""}, {}, "xcb;wayland"},
        {"Wayland with X, a value alone", {":0", "wayland-0", ""}, {"wayland"}, "xcb;wayland"},
        {"Wayland with X, wayland chosen", {":0", "wayland-0", "wayland"}, {}, ""},
        {"Wayland with X, xcb chosen", {":0", "wayland-0", "xcb"}, {}, ""},
        {"Wayland with X, -platform", {":0", "wayland-0", ""}, {"-platform", "wayland"}, ""},
        {"Wayland with X, --platform", {":0", "wayland-0", ""}, {"--platform", "wayland"}, ""},
        {"later -platform", {":0", "wayland-0", ""}, {"-style", "fusion", "-platform", "xcb"}, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(platformToRequest(row.environment, row.arguments), row.requested) << row.session;
}

}  // namespace
}  // namespace marv::testing
