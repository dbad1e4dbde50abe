#pragma once

#include <initializer_list>
#include <string_view>

#include "demo/search/demo.h"
#include "map/map_text.h"

namespace marv::testing {

// A board drawn as text, one string a row from row 0: '.' grass, '#' water, 't' earth,
// 'p' paving, a digit its own code. Rows and columns not given are grass.
inline MapValues boardFromText(std::initializer_list<std::string_view> rows) {
    MapValues values{};
    int row = 0;
    for (std::string_view line : rows) {
        for (int column = 0; column < static_cast<int>(line.size()); ++column) {
            std::int16_t code = 0;
            switch (line[column]) {
                case '#':
                    code = 1;
                    break;
                case 't':
                    code = 7;
                    break;
                case 'p':
                    code = 8;
                    break;
                default:
                    if (line[column] >= '0' && line[column] <= '9') code = line[column] - '0';
            }
            values[row * kBoardCells + column] = {code, static_cast<double>(code)};
        }
        ++row;
    }
    return values;
}

inline MapValues openBoard() {
    return boardFromText({});
}

// A press in the middle of a cell.
inline void press(Demo& demo, int button, int column, int row, bool personaje = false) {
    demo.pressBoard(button, column * 20 + 10, row * 20 + 10, personaje);
}

inline void placeCharacter(Demo& demo, int column, int row) {
    press(demo, kLeftButton, column, row, true);
}

}  // namespace marv::testing
