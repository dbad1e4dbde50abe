#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "map/core/board_geometry.h"
#include "map/core/expected.h"
#include "map/core/tile_codes.h"

namespace marv {

// One value of the map as read: its tile code and the number as written, which decides walkability.
struct MapValue {
    std::int16_t code = 0;
    double number = 0;
};

// The 400 values in file order: row 0 columns 0..19, then row 1, and so on.
using MapValues = std::array<MapValue, kMapValues>;

// Tile codes indexed [column][row], 21 × 21 like every grid of the programs.
using CodeGrid = std::array<std::array<std::int16_t, kGridSize>, kGridSize>;

// Parses the text of a map: values each followed by a comma, row by row, after a UTF-8 byte-order
// mark if the text starts with one. Values past the 400th are ignored; fewer than 400, or any of
// the first 400 that is not a 16-bit number, is an error that names `fileName` and the place.
Expected<MapValues> parseMapText(std::string_view text, std::string_view fileName);

// Reads one value: blanks around it, an optional sign, digits with an optional fraction, rounded
// to the nearest integer with halves to even. No exponent, no other base. The digits are first
// converted to the nearest double and that double is rounded, so a fraction beyond double
// precision can tip the result: "-32768.5" followed by many zeros and a final 1 reads as -32768,
// not as out of range, and a value too small for a double reads as 0. The failure names the piece
// but not its place.
Expected<MapValue> parseMapValue(std::string_view piece);

// The file's text for a grid: every code of rows 0..19, columns 0..19, each followed by a comma.
std::string formatMapText(const CodeGrid& codes);

CodeGrid codesOf(const MapValues& values);

// Fails on the first value the program has no picture for, naming its place and code.
Status checkDrawable(const MapValues& values, const DrawableCodes& codes,
                     std::string_view fileName);

}  // namespace marv
