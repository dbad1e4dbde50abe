// Starts the real programs, in their start-up check mode, from awkward places.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "map/map_file.h"
#include "support/temp_folder.h"

namespace marv::testing {
namespace {

namespace fs = std::filesystem;

struct ProgramRun {
    int status = -1;  // exit status, or -1 when a signal ended the program
    std::string out, err;
};

std::string drain(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
}

// Runs `program` from the folder `cwd`; a run longer than 20 s is ended by SIGALRM.
ProgramRun start(const std::string& program, const std::string& cwd) {
    int out[2], err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0) return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        ::close(out[0]);
        ::close(err[0]);
        if (::chdir(cwd.c_str()) != 0) ::_exit(126);
        ::setenv("MARV_STARTUP_CHECK", "1", 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::alarm(20);
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    ProgramRun run;
    run.err = drain(err[0]);
    run.out = drain(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

const std::string kGoodMap = [] {
    std::string text;
    for (int i = 0; i < kMapValues; ++i) text += "0,";
    return text;
}();

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
        TempFolder::write(mapPathIn(folder), kGoodMap);
        TempFolder::write(mapPathIn(elsewhere), "no es un mapa,");

        ProgramRun run = start(copy, elsewhere);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, mapPathIn(folder) + "\n");

        fs::remove(mapPathIn(folder));
        ASSERT_EQ(::mkfifo(mapPathIn(folder).c_str(), 0644), 0);
        run = start(copy, elsewhere);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("El mapa " + mapPathIn(folder) + " no es un archivo normal.\n"),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(TempFolder::read(mapPathIn(elsewhere)), "no es un mapa,");
    }
}

}  // namespace
}  // namespace marv::testing
