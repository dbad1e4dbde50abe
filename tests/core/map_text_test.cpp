#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "map/core/board_geometry.h"
#include "map/core/map_text.h"
#include "map/core/tile_codes.h"
#include "support/board_text.h"

namespace marv {
namespace {

using testing::mapOf;
using testing::mapText;

// An all-grass map, "0," 400 times, with `piece` in place of value number `index`.
std::string mapWith(int index, const std::string& piece) {
    return mapText({}).replace(2 * index, 1, piece);
}

TEST(MapValue, AcceptedForms) {
    const std::string tooSmallForADouble = "0." + std::string(330, '0') + "1";
    // clang-format off
    const std::tuple<const char*, int, double> cases[] = {
        {"0", 0, 0}, {"7", 7, 7}, {" 7 ", 7, 7}, {"\t8\r\n", 8, 8}, {"+8", 8, 8}, {"0007", 7, 7},
        {"7.0", 7, 7}, {"7.4", 7, 7.4}, {"7.", 7, 7}, {".5", 0, 0.5},  // kept as written too
        {"2.5", 2, 2.5}, {"3.5", 4, 3.5}, {"-2.5", -2, -2.5},           // halves round to even
        {"-15", -15, -15}, {"32767", 32767, 32767}, {"-32768", -32768, -32768},
        {"32767.49", 32767, 32767.49}, {"-32768.5", -32768, -32768.5},
        {tooSmallForADouble.c_str(), 0, 0}};
    // clang-format on
    for (const auto& [piece, code, number] : cases) {
        const auto v = parseMapValue(piece);
        ASSERT_TRUE(v.ok()) << "«" << piece << "»";
        EXPECT_EQ(v.value().code, code) << "«" << piece << "»";
        EXPECT_EQ(v.value().number, number) << "«" << piece << "»";
    }
}

TEST(MapValue, RejectedForms) {
    const std::pair<std::vector<std::string>, std::string> groups[] = {
        {{"", "  ", "x", "1e1", "0x1", "1 2", "--1", "+-1", "-", ".", "7.0.0", "١", "inf", "nan",
          "7a", "1_000", "_1", "+", "- 1"},
         "no es un número"},
        {{"32768", "-32769", "32767.5", "-32768.51", "99999999999999999999",
          "1" + std::string(400, '0')},
         "fuera del intervalo"}};
    for (const auto& [pieces, reason] : groups)
        for (const std::string& piece : pieces) {
            const auto v = parseMapValue(piece);
            ASSERT_FALSE(v.ok()) << "«" << piece << "»";
            EXPECT_NE(v.error().find(reason), std::string::npos) << v.error();
        }
}

// Values are read row by row, after a byte-order mark, and what follows the 400th is ignored, as is
// its comma; a grid is written row by row too, byte for byte, without column and row 20.
TEST(MapText, ReadsAndWritesRowByRow) {
    std::string text;
    for (int i = 0; i < kMapValues; ++i) text += std::to_string(i % 9) + ",";
    for (const std::string& read : {text, text + "garbage,,x", text + "\n", "\uFEFF" + text,
                                    text.substr(0, text.size() - 1)}) {
        auto result = parseMapText(read, "mapa.txt");
        ASSERT_TRUE(result.ok()) << result.error();
        const CodeGrid codes = codesOf(result.value());
        EXPECT_EQ(codes[0][0], 0);
        EXPECT_EQ(codes[1][0], 1);
        EXPECT_EQ(codes[0][1], 20 % 9) << "value 20 is column 0 of row 1";
        EXPECT_EQ(codes[19][19], 399 % 9);
    }

    CodeGrid codes{};
    codes[2][0] = 1;
    codes[19][19] = -15;
    codes[20][20] = 5;  // never written
    EXPECT_EQ(formatMapText(codes), mapText({"..1"}).replace(798, 1, "-15"));
}

// Files the reader refuses, and what it says: the file, the place and the text at fault.
TEST(MapText, BadFilesAreRefusedNamingTheFileThePlaceAndTheText) {
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"Empty", "", "mapa.txt: el mapa no tiene ningún valor y hacen falta 400."},
        {"Blank", " \n", "mapa.txt: el mapa no tiene ningún valor y hacen falta 400."},
        {"OneValue", "0,", "mapa.txt: el mapa tiene 1 valor y hacen falta 400."},
        {"Values399", mapText({}).substr(2),
         "mapa.txt: el mapa tiene 399 valores y hacen falta 400."},
        {"Values399WithoutFinalComma", mapText({}).substr(0, 797),
         "mapa.txt: el mapa tiene 399 valores y hacen falta 400."},
        {"Letters", mapWith(63, "agua"), "mapa.txt: fila 3, columna 3: «agua» no es un número."},
        {"TwoCommas", mapWith(21, ""),
         "mapa.txt: fila 1, columna 1: falta el valor (dos comas seguidas)."},
        {"TooBig", mapWith(399, " 32768"),
         "mapa.txt: fila 19, columna 19: «32768» está fuera del intervalo de -32768 a 32767."},
        {"TooSmall", mapWith(20, "-32769"),
         "mapa.txt: fila 1, columna 0: «-32769» está fuera del intervalo de -32768 a 32767."},
        {"LongTextIsCut", mapWith(0, "abcdefghijklmnopqrstuvwxyz"),
         "mapa.txt: fila 0, columna 0: «abcdefghijklmnopqrstuvwx…» no es un número."},
        {"CutBetweenCharactersNotInsideOne", mapWith(0, std::string(23, 'a') + "ñandú"),
         "mapa.txt: fila 0, columna 0: «" + std::string(23, 'a') + "ñ…» no es un número."},
        {"BytesThatAreNotUtf8ShowOnceEach", mapWith(0, "a\xff\xfe\xc3(b\xed\xa0\x80"),
         "mapa.txt: fila 0, columna 0: «a\uFFFD\uFFFD\uFFFD(b\uFFFD\uFFFD\uFFFD» no es un número."},
        {"AByteOrderMarkOnlyAtTheVeryStart", mapWith(1, "\uFEFF0"),
         "mapa.txt: fila 0, columna 1: «\uFEFF0» no es un número."},
        {"ControlCharactersShowAsBlanks", mapWith(0, "a\001b"),
         "mapa.txt: fila 0, columna 0: «a b» no es un número."},
        {"FirstFaultWins", mapWith(5, "x").substr(0, 30),
         "mapa.txt: fila 0, columna 5: «x» no es un número."},
    };
    for (const auto& [name, text, message] : cases) {
        const auto result = parseMapText(text, "mapa.txt");
        EXPECT_EQ(result.ok() ? "accepted" : result.error(), message) << name;
    }
}

TEST(MapText, UndrawableCodesAreFoundWithTheirPlace) {
    EXPECT_EQ(checkDrawable(mapOf({"", "", ".....9"}), kDemoCodes, "mapa.txt").error(),
              "mapa.txt: fila 2, columna 5: el código 9 no se puede dibujar (este programa "
              "admite 0 a 8).");
    const MapValues sprite = mapOf({"...4"});
    EXPECT_TRUE(checkDrawable(sprite, kDemoCodes, "m").ok());
    EXPECT_EQ(checkDrawable(sprite, kEditorCodes, "m").error(),
              "m: fila 0, columna 3: el código 4 no se puede dibujar (este programa admite 0, 1, "
              "7 y 8).");
    const std::string paving(20, 'p'), earth(20, 't'), water(20, '#');
    EXPECT_TRUE(
        checkDrawable(mapOf({paving, earth, water, water, paving}), kEditorCodes, "m").ok());
}

// A press lies in the cell it falls in, rounded down at every boundary; off the board in none.
TEST(Geometry, CellOfAPress) {
    const std::pair<double, int> cases[] = {{0, 0},      {19, 0},     {19.99, 0},  {20, 1},
                                            {39.5, 1},   {379, 18},   {380, 19},   {395, 19},
                                            {399, 19},   {399.9, 19}, {-0.5, -1},  {-1.0, -1},
                                            {-20.0, -1}, {400.0, -1}, {420.0, -1}, {1e9, -1}};
    for (const auto& [pixel, cell] : cases) {
        const auto across = cellOfPress(pixel, 10), down = cellOfPress(10, pixel);
        EXPECT_EQ(across ? across->column : -1, cell) << "x " << pixel;
        EXPECT_EQ(down ? down->row : -1, cell) << "y " << pixel;
    }
}

}  // namespace
}  // namespace marv
