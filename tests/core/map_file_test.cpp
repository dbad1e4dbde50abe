#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "map/map_file.h"
#include "map/program_setup.h"
#include "support/board_text.h"
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

std::string saved(const std::string& path, const CodeGrid& codes) {
    const Status result = writeMapFile(path, codes);
    return result ? "" : result.error();
}

class MapFile : public ::testing::Test {
  protected:
    TempFolder folder;
    const std::string path = mapPathIn(folder.path());
};

TEST_F(MapFile, WriteThenReadGivesTheSameBoard) {
    ASSERT_EQ(saved(path, sampleCodes()), "");
    const auto read = readMapFile(path);
    ASSERT_TRUE(read.ok()) << read.error();
    EXPECT_EQ(codesOf(read.value()), sampleCodes());
    EXPECT_EQ(TempFolder::read(path), formatMapText(sampleCodes()));
    EXPECT_EQ(folder.entries(), 1u) << "no temporary file left behind";
}

TEST_F(MapFile, ShorterMapReplacesALongerFileWhole) {
    ASSERT_EQ(saved(path, uniformCodes(-15)), "");
    ASSERT_EQ(saved(path, CodeGrid{}), "");
    EXPECT_EQ(TempFolder::read(path), formatMapText(CodeGrid{}));
}

TEST_F(MapFile, KeepsThePermissionsOfTheFileItReplaces) {
    TempFolder::write(path, "x");
    fs::permissions(path, fs::perms(0640));
    ASSERT_EQ(saved(path, CodeGrid{}), "");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
}

TEST_F(MapFile, ReadFailuresAreReportedAndCreateNothing) {
    auto result = readMapFile(path);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error(), "No se encuentra el archivo del mapa " + path + ".");
    EXPECT_FALSE(fs::exists(path)) << "reading never creates the file";

    const std::string shortMap = folder.file("corto.txt");
    TempFolder::write(shortMap, "0,0,");
    result = readMapFile(shortMap);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error(), shortMap + ": el mapa tiene 2 valores y hacen falta 400.");
}

// Each is refused at once: nothing waits for a writer, nothing reads an endless device, and a
// file far too large is refused by its size.
TEST_F(MapFile, WhatIsNoRegularFileIsRefusedWithoutWaiting) {
    const std::string fifo = folder.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string directory = folder.file("carpeta");
    fs::create_directory(directory);
    const std::string huge = folder.file("enorme.txt");
    TempFolder::write(huge, "0,");
    fs::resize_file(huge, 16 * 1024 * 1024 + 1);

    const std::pair<std::string, std::string> cases[] = {
        {fifo, "El mapa " + fifo + " no es un archivo normal."},
        {"/dev/zero", "El mapa /dev/zero no es un archivo normal."},
        {directory, "El mapa " + directory + " no es un archivo normal."},
        {huge, "El archivo del mapa " + huge + " es demasiado grande para ser un mapa."},
    };
    for (const auto& [file, message] : cases) {
        const ChildResult child = runInChild(
            [&] {
                const auto read = readMapFile(file);
                return read ? std::string("leído") : read.error();
            },
            RunAs::kSelf, 5);
        ASSERT_TRUE(child.exited) << file << " ended by signal " << child.signal;
        EXPECT_EQ(child.said, message);
    }
}

TEST_F(MapFile, TheProgramFolderIsAlwaysAbsolute) {
    EXPECT_EQ(folderOfProgram("/opt/marv/marvane").value(), "/opt/marv");
    EXPECT_EQ(folderOfProgram("/marvane").value(), "/");
    EXPECT_EQ(folderOfProgram("/carpeta-\xff\xfe/marvedit").value(), "/carpeta-\xff\xfe");
    for (const char* unusable : {"", "marvane", "./bin/marvane"}) {
        const auto found = folderOfProgram(unusable);
        ASSERT_FALSE(found.ok()) << unusable;
        EXPECT_EQ(found.error(),
                  "No se sabe en qué carpeta está el programa, y por eso tampoco dónde está su "
                  "mapa.");
    }
    const auto own = programFolder();
    ASSERT_TRUE(own.ok()) << own.error();
    EXPECT_EQ(own.value(), fs::read_symlink("/proc/self/exe").parent_path().string());
    EXPECT_EQ(mapPathIn("/opt/marv"), "/opt/marv/mapa.txt");
    EXPECT_EQ(mapPathIn("/opt/marv/"), "/opt/marv/mapa.txt");
}

TEST_F(MapFile, SavingInAwkwardPlaces) {
    const std::string old = formatMapText(sampleCodes());
    const std::string fresh = formatMapText(uniformCodes(7));
    struct Case {
        const char* name;
        RunAs as;
        std::function<void(TempFolder&)> prepare;
        std::string failure;              // the reason, or empty when the save must succeed
        const char* save = "mapa.txt";    // where in the folder the map is saved
        const char* target = "mapa.txt";  // the file that must get the text
    };
    const Case cases[] = {
        {"through a symbolic link the target is saved and the link kept", RunAs::kSelf,
         [&](TempFolder& f) {
             fs::create_directory(f.file("mapas"));
             TempFolder::write(f.file("mapas/uno.txt"), old);
             fs::create_symlink("mapas/uno.txt", f.file("mapa.txt"));
         },
         "", "mapa.txt", "mapas/uno.txt"},
        {"a read-only map is refused although its folder is writable", RunAs::kUnprivileged,
         [&](TempFolder& f) {
             fs::permissions(f.path(), fs::perms(0777));
             TempFolder::write(f.file("mapa.txt"), old);
             fs::permissions(f.file("mapa.txt"), fs::perms(0444));
         },
         "permiso denegado"},
        {"a writable map in a read-only folder is rewritten in place", RunAs::kUnprivileged,
         [&](TempFolder& f) {
             TempFolder::write(f.file("mapa.txt") + "x", "");  // keeps the folder non-empty
             TempFolder::write(f.file("mapa.txt"), old + "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,");
             fs::permissions(f.file("mapa.txt"), fs::perms(0666));
             fs::permissions(f.path(), fs::perms(0555));
         },
         ""},
        {"no map in a read-only folder cannot be created", RunAs::kUnprivileged,
         [&](TempFolder& f) { fs::permissions(f.path(), fs::perms(0555)); }, "permiso denegado"},
        {"a missing folder", RunAs::kSelf, [](TempFolder&) {}, "no existe el archivo o la carpeta",
         "no/hay/mapa.txt"},
        {"a FIFO is no map to save over", RunAs::kSelf,
         [&](TempFolder& f) { ::mkfifo(f.file("mapa.txt").c_str(), 0666); },
         "no es un archivo normal"},
    };
    for (const Case& c : cases) {
        TempFolder place;
        c.prepare(place);
        const std::string path = place.file(c.save), file = place.file(c.target);
        const bool existed = fs::is_regular_file(file);
        const std::size_t entries = place.entries();
        const ChildResult child = runInChild([&] { return saved(path, uniformCodes(7)); }, c.as);
        fs::permissions(place.path(), fs::perms(0755));
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
        EXPECT_EQ(place.entries(), entries) << c.name << ": no temporary file is left";
        if (fs::is_symlink(path)) {
            EXPECT_EQ(fs::read_symlink(path), "mapas/uno.txt") << c.name;
        }
    }
}

// With the process set up as the programs set it, a write past the file-size limit fails and is
// reported instead of ending the program.
TEST_F(MapFile, AFileSizeLimitFailsTheSaveAndKeepsTheOldFile) {
    const std::string old = formatMapText(sampleCodes());
    TempFolder::write(path, old);
    const ChildResult child = runInChild([&] {
        prepareProcess();
        FileSizeLimit limit(100);
        return saved(path, uniformCodes(-15));
    });
    ASSERT_TRUE(child.exited) << "ended by signal " << child.signal;
    EXPECT_EQ(child.said,
              "No se pudo guardar el mapa en " + path + ": el archivo sería demasiado grande.");
    EXPECT_EQ(TempFolder::read(path), old);
    EXPECT_EQ(folder.entries(), 1u) << "the temporary file is removed";
}

TEST_F(MapFile, ASaveKeepsTheOwnerAndGroupWhereItMay) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file away";
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
TEST_F(MapFile, StaleTemporaryFilesAreClearedAndLiveOnesKept) {
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
