#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "map/core/map_text.h"

namespace marv::testing {

// The text of a map drawn one string a row, from `firstRow` down: '.' grass, '#' water,
// 't' earth, 'p' paving, a digit its own code. Cells not given are grass.
inline std::string mapText(std::initializer_list<std::string_view> rows, int firstRow = 0) {
    std::string text;
    for (int row = 0; row < kBoardCells; ++row) {
        const int given = row - firstRow;
        const std::string_view line =
            given >= 0 && given < static_cast<int>(rows.size()) ? rows.begin()[given] : "";
        for (std::size_t column = 0; column < kBoardCells; ++column) {
            const char c = column < line.size() ? line[column] : '.';
            text += c == '.' ? '0' : c == '#' ? '1' : c == 't' ? '7' : c == 'p' ? '8' : c;
            text += ',';
        }
    }
    return text;
}

// The same board as the map reader gives it.
inline MapValues mapOf(std::initializer_list<std::string_view> rows = {}, int firstRow = 0) {
    return parseMapText(mapText(rows, firstRow), "mapa.txt").value();
}

// The centre of a cell, in pixels of the board's drawing area.
inline constexpr PixelPoint cellCentre(Cell cell) {
    const PixelPoint origin = cellOrigin(cell);
    return {origin.x + kCellPixels / 2, origin.y + kCellPixels / 2};
}

// Every cell of the board `code`.
inline CodeGrid uniformCodes(std::int16_t code) {
    CodeGrid codes{};
    forEachCell([&](Cell cell) { codes[cell.column][cell.row] = code; });
    return codes;
}

}  // namespace marv::testing
