#include <gtest/gtest.h>

#include <filesystem>

#include "map/map_file.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace marv::testing {
namespace {

CodeGrid sampleCodes() {
    CodeGrid codes{};
    for (int x = 0; x < kBoardCells; ++x)
        for (int y = 0; y < kBoardCells; ++y) codes[x][y] = static_cast<std::int16_t>((x * y) % 9);
    return codes;
}

TEST(MapFile, WriteThenReadGivesTheSameBoard) {
    TempFolder folder;
    const std::string path = mapPathIn(folder.path());
    ASSERT_EQ(writeMapFile(path, sampleCodes()), std::nullopt);
    const auto read = readMapFile(path);
    ASSERT_TRUE(read.ok()) << read.error();
    EXPECT_EQ(codesOf(read.value()), sampleCodes());
    EXPECT_EQ(TempFolder::read(path), formatMapText(sampleCodes()));
    EXPECT_EQ(folder.entries(), 1u) << "no temporary file left behind";
}

TEST(MapFile, ShorterMapReplacesALongerFileWhole) {
    TempFolder folder;
    const std::string path = mapPathIn(folder.path());
    CodeGrid longer{};
    for (auto& column : longer) column.fill(-15);
    ASSERT_EQ(writeMapFile(path, longer), std::nullopt);
    ASSERT_EQ(writeMapFile(path, CodeGrid{}), std::nullopt);
    EXPECT_EQ(TempFolder::read(path).size(), 800u);
    EXPECT_EQ(TempFolder::read(path), formatMapText(CodeGrid{}));
}

TEST(MapFile, AFailedWriteLeavesTheOldFileIntactAndSaysWhy) {
    TempFolder folder;
    const std::string path = mapPathIn(folder.path());
    const std::string old = formatMapText(sampleCodes());
    TempFolder::write(path, old);
    CodeGrid longer{};
    for (auto& column : longer) column.fill(-15);
    std::optional<std::string> error;
    {
        FileSizeLimit limit(100);
        error = writeMapFile(path, longer);
    }
    ASSERT_NE(error, std::nullopt);
    EXPECT_NE(error->find("No se pudo guardar el mapa en " + path), std::string::npos) << *error;
    EXPECT_EQ(TempFolder::read(path), old);
    EXPECT_EQ(folder.entries(), 1u) << "the temporary file is removed";
}

TEST(MapFile, WritingIntoAMissingFolderFailsCleanly) {
    TempFolder folder;
    const auto error = writeMapFile(folder.file("no/such/mapa.txt"), CodeGrid{});
    ASSERT_NE(error, std::nullopt);
    EXPECT_NE(error->find("No such file"), std::string::npos) << *error;
}

TEST(MapFile, KeepsThePermissionsOfTheFileItReplaces) {
    TempFolder folder;
    const std::string path = mapPathIn(folder.path());
    TempFolder::write(path, "x");
    std::filesystem::permissions(path, std::filesystem::perms(0640));
    ASSERT_EQ(writeMapFile(path, CodeGrid{}), std::nullopt);
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0640));
}

TEST(MapFile, ReadFailuresAreReportedAndCreateNothing) {
    TempFolder folder;
    const std::string missing = mapPathIn(folder.path());
    auto result = readMapFile(missing);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error(), "No se encuentra el archivo del mapa " + missing + ".");
    EXPECT_FALSE(std::filesystem::exists(missing)) << "reading never creates the file";

    std::filesystem::create_directory(missing);
    result = readMapFile(missing);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error(), "El mapa " + missing + " no es un archivo.");

    const std::string shortMap = folder.file("corto.txt");
    TempFolder::write(shortMap, "0,0,");
    result = readMapFile(shortMap);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error(), shortMap + ": el mapa tiene 2 valores y hacen falta 400.");
}

TEST(MapFile, MapPathIsTheFileInTheProgramsFolder) {
    EXPECT_EQ(mapPathIn("/opt/marv"), "/opt/marv/mapa.txt");
    EXPECT_EQ(mapPathIn("/opt/marv/"), "/opt/marv/mapa.txt");
}

}  // namespace
}  // namespace marv::testing
