#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "map/map_file.h"
#include "map/program_setup.h"
#include "support/child_process.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace marv::testing {
namespace {

namespace fs = std::filesystem;

CodeGrid sampleCodes() {
    CodeGrid codes{};
    for (int x = 0; x < kBoardCells; ++x)
        for (int y = 0; y < kBoardCells; ++y) codes[x][y] = static_cast<std::int16_t>((x * y) % 9);
    return codes;
}

CodeGrid uniform(std::int16_t code) {
    CodeGrid codes{};
    for (int x = 0; x < kBoardCells; ++x)
        for (int y = 0; y < kBoardCells; ++y) codes[x][y] = code;
    return codes;
}

std::string saved(const std::string& path, const CodeGrid& codes) {
    const Status result = writeMapFile(path, codes);
    return result ? "" : result.error();
}

TEST(MapFile, WriteThenReadGivesTheSameBoard) {
    TempFolder folder;
    const std::string path = mapPathIn(folder.path());
    ASSERT_EQ(saved(path, sampleCodes()), "");
    const auto read = readMapFile(path);
    ASSERT_TRUE(read.ok()) << read.error();
    EXPECT_EQ(codesOf(read.value()), sampleCodes());
    EXPECT_EQ(TempFolder::read(path), formatMapText(sampleCodes()));
    EXPECT_EQ(folder.entries(), 1u) << "no temporary file left behind";
}

TEST(MapFile, ShorterMapReplacesALongerFileWhole) {
    TempFolder folder;
    const std::string path = mapPathIn(folder.path());
    ASSERT_EQ(saved(path, uniform(-15)), "");
    ASSERT_EQ(saved(path, CodeGrid{}), "");
    EXPECT_EQ(TempFolder::read(path), formatMapText(CodeGrid{}));
}

TEST(MapFile, KeepsThePermissionsOfTheFileItReplaces) {
    TempFolder folder;
    const std::string path = mapPathIn(folder.path());
    TempFolder::write(path, "x");
    fs::permissions(path, fs::perms(0640));
    ASSERT_EQ(saved(path, CodeGrid{}), "");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
}

TEST(MapFile, ReadFailuresAreReportedAndCreateNothing) {
    TempFolder folder;
    const std::string missing = mapPathIn(folder.path());
    auto result = readMapFile(missing);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error(), "No se encuentra el archivo del mapa " + missing + ".");
    EXPECT_FALSE(fs::exists(missing)) << "reading never creates the file";

    const std::string shortMap = folder.file("corto.txt");
    TempFolder::write(shortMap, "0,0,");
    result = readMapFile(shortMap);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error(), shortMap + ": el mapa tiene 2 valores y hacen falta 400.");
}

// Each is refused at once: nothing waits for a writer, nothing reads an endless device, and a
// file far too large is refused by its size.
TEST(MapFile, WhatIsNoRegularFileIsRefusedWithoutWaiting) {
    TempFolder folder;
    const std::string fifo = folder.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string directory = folder.file("carpeta");
    fs::create_directory(directory);
    const std::string huge = folder.file("enorme.txt");
    { std::ofstream(huge) << "0,"; }
    fs::resize_file(huge, 16 * 1024 * 1024 + 1);

    struct Case {
        std::string path;
        std::string message;
    };
    const Case cases[] = {
        {fifo, "El mapa " + fifo + " no es un archivo normal."},
        {"/dev/zero", "El mapa /dev/zero no es un archivo normal."},
        {directory, "El mapa " + directory + " no es un archivo normal."},
        {huge, "El archivo del mapa " + huge + " es demasiado grande para ser un mapa."},
    };
    for (const Case& c : cases) {
        const ChildResult child = runInChild(
            [&] {
                const auto read = readMapFile(c.path);
                return read ? std::string("leído") : read.error();
            },
            RunAs::kSelf, 5);
        ASSERT_TRUE(child.exited) << c.path << " ended by signal " << child.signal;
        EXPECT_EQ(child.said, c.message);
    }
}

TEST(MapFile, TheProgramFolderIsAlwaysAbsolute) {
    EXPECT_EQ(folderOfProgram("/opt/marv/marvane").value(), "/opt/marv");
    EXPECT_EQ(folderOfProgram("/marvane").value(), "/");
    EXPECT_EQ(folderOfProgram("/carpeta-\xff\xfe/marvedit").value(), "/carpeta-\xff\xfe");
    for (const char* unusable : {"", "marvane", "./bin/marvane"}) {
        const auto folder = folderOfProgram(unusable);
        ASSERT_FALSE(folder.ok()) << unusable;
        EXPECT_EQ(folder.error(),
                  "No se sabe en qué carpeta está el programa, y por eso tampoco dónde está su "
                  "mapa.");
    }
    const auto own = programFolder();
    ASSERT_TRUE(own.ok()) << own.error();
    EXPECT_EQ(own.value(), fs::read_symlink("/proc/self/exe").parent_path().string());
    EXPECT_EQ(mapPathIn("/opt/marv"), "/opt/marv/mapa.txt");
    EXPECT_EQ(mapPathIn("/opt/marv/"), "/opt/marv/mapa.txt");
}

// Where permissions matter the save runs as an unprivileged user, as CI runs as root.
TEST(MapFile, SavingInAwkwardPlaces) {
    const std::string old = formatMapText(sampleCodes());
    const std::string fresh = formatMapText(uniform(7));
    struct Case {
        const char* name;
        RunAs as;
        // Prepares the folder; returns the path to save to and the file that must get the text.
        std::function<std::pair<std::string, std::string>(TempFolder&)> prepare;
        std::string failure;  // the reason, or empty when the save must succeed
    };
    const Case cases[] = {
        {"through a symbolic link the target is saved and the link kept", RunAs::kSelf,
         [&](TempFolder& f) {
             fs::create_directory(f.file("mapas"));
             TempFolder::write(f.file("mapas/uno.txt"), old);
             fs::create_symlink("mapas/uno.txt", f.file("mapa.txt"));
             return std::pair{f.file("mapa.txt"), f.file("mapas/uno.txt")};
         },
         ""},
        {"a read-only map is refused although its folder is writable", RunAs::kUnprivileged,
         [&](TempFolder& f) {
             fs::permissions(f.path(), fs::perms(0777));
             TempFolder::write(f.file("mapa.txt"), old);
             fs::permissions(f.file("mapa.txt"), fs::perms(0444));
             return std::pair{f.file("mapa.txt"), f.file("mapa.txt")};
         },
         "permiso denegado"},
        {"a writable map in a read-only folder is rewritten in place", RunAs::kUnprivileged,
         [&](TempFolder& f) {
             TempFolder::write(f.file("mapa.txt") + "x", "");  // keeps the folder non-empty
             TempFolder::write(f.file("mapa.txt"), old + "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,");
             fs::permissions(f.file("mapa.txt"), fs::perms(0666));
             fs::permissions(f.path(), fs::perms(0555));
             return std::pair{f.file("mapa.txt"), f.file("mapa.txt")};
         },
         ""},
        {"no map in a read-only folder cannot be created", RunAs::kUnprivileged,
         [&](TempFolder& f) {
             fs::permissions(f.path(), fs::perms(0555));
             return std::pair{f.file("mapa.txt"), f.file("mapa.txt")};
         },
         "permiso denegado"},
        {"a missing folder", RunAs::kSelf,
         [&](TempFolder& f) {
             return std::pair{f.file("no/hay/mapa.txt"), f.file("no/hay/mapa.txt")};
         },
         "no existe el archivo o la carpeta"},
        {"a FIFO is no map to save over", RunAs::kSelf,
         [&](TempFolder& f) {
             ::mkfifo(f.file("mapa.txt").c_str(), 0666);
             return std::pair{f.file("mapa.txt"), std::string()};
         },
         "no es un archivo normal"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const auto [path, file] = c.prepare(folder);
        const bool existed = !file.empty() && fs::is_regular_file(file);
        const std::size_t entries = folder.entries();
        const ChildResult child = runInChild([&] { return saved(path, uniform(7)); }, c.as);
        fs::permissions(folder.path(), fs::perms(0755));
        ASSERT_TRUE(child.exited) << c.name << ": ended by signal " << child.signal;
        if (c.failure.empty()) {
            EXPECT_EQ(child.said, "") << c.name;
            EXPECT_EQ(TempFolder::read(file), fresh) << c.name;
        } else {
            EXPECT_EQ(child.said, "No se pudo guardar el mapa en " + path + ": " + c.failure + ".")
                << c.name;
            if (existed) {
                EXPECT_EQ(TempFolder::read(file), old) << c.name;
            }
        }
        EXPECT_EQ(folder.entries(), entries) << c.name << ": no temporary file is left";
        if (fs::is_symlink(path)) {
            EXPECT_EQ(fs::read_symlink(path), "mapas/uno.txt") << c.name;
        }
    }
}

// With the process set up as the programs set it, a write past the file-size limit fails and is
// reported instead of ending the program.
TEST(MapFile, AFileSizeLimitFailsTheSaveAndKeepsTheOldFile) {
    TempFolder folder;
    const std::string path = mapPathIn(folder.path());
    const std::string old = formatMapText(sampleCodes());
    TempFolder::write(path, old);
    const ChildResult child = runInChild([&] {
        prepareProcess();
        FileSizeLimit limit(100);
        return saved(path, uniform(-15));
    });
    ASSERT_TRUE(child.exited) << "ended by signal " << child.signal;
    EXPECT_EQ(child.said,
              "No se pudo guardar el mapa en " + path + ": el archivo sería demasiado grande.");
    EXPECT_EQ(TempFolder::read(path), old);
    EXPECT_EQ(folder.entries(), 1u) << "the temporary file is removed";
}

TEST(MapFile, ASaveKeepsTheOwnerAndGroupWhereItMay) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file away";
    TempFolder folder;
    const std::string path = mapPathIn(folder.path());
    TempFolder::write(path, "x");
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    ASSERT_EQ(saved(path, CodeGrid{}), "");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
}

// Saves clear what crashed saves left, but never a temporary file that a running save holds,
// nor a file the user made.
TEST(MapFile, StaleTemporaryFilesAreClearedAndLiveOnesKept) {
    TempFolder folder;
    const std::string path = mapPathIn(folder.path());
    const std::string stale = folder.file(".mapa.txt.guardando-Ab12Cd");
    const std::string live = folder.file(".mapa.txt.guardando-Zz99Yy");
    const std::vector<std::string> users = {
        folder.file("mapa.txt.backup"), folder.file(".mapa.txt.guardando-notas"),
        folder.file(".mapa.txt.guardando-Ab1"), folder.file(".otro.txt.guardando-Ab12Cd")};
    for (const auto& file : users) TempFolder::write(file, "mío");
    TempFolder::write(stale, "0,0,");
    TempFolder::write(live, "0,0,0,");
    fs::create_directory(folder.file(".mapa.txt.guardando-Dir123"));
    const int held = ::open(live.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    ASSERT_EQ(saved(path, sampleCodes()), "");
    ::close(held);
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(live));
    EXPECT_TRUE(fs::exists(folder.file(".mapa.txt.guardando-Dir123")));
    for (const auto& file : users) EXPECT_EQ(TempFolder::read(file), "mío") << file;
    EXPECT_EQ(TempFolder::read(path), formatMapText(sampleCodes()));
}

}  // namespace
}  // namespace marv::testing
