// Starts the real programs, in their start-up check mode, from awkward places.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "map/core/map_file.h"
#include "support/board_text.h"
#include "support/child_process.h"
#include "support/temp_folder.h"

namespace marv::testing {
namespace {

namespace fs = std::filesystem;

// Runs `program` from the folder `cwd`; its output and error streams go to the files "out" and
// "err" in `logs`. A run longer than 20 s is ended by SIGALRM.
ChildResult start(const std::string& program, const std::string& cwd, const TempFolder& logs) {
    return runInChild(
        [&] {
            if (!std::freopen(logs.file("out").c_str(), "w", stdout) ||
                !std::freopen(logs.file("err").c_str(), "w", stderr) || ::chdir(cwd.c_str()) != 0)
                return std::string("no se pudo preparar");
            ::setenv("MARV_STARTUP_CHECK", "1", 1);
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
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

}  // namespace
}  // namespace marv::testing
