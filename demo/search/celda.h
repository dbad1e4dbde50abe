#pragma once

#include <array>
#include <cstdint>

#include "map/core/board_geometry.h"

namespace marv {

// Flags are 16-bit integers: -1 true, 0 false, nothing else.
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

inline constexpr std::int16_t flag(bool value) {
    return value ? kTrue : kFalse;
}

// One cell of the board as the search sees it.
struct Celda {
    std::int16_t transitable = 0;  // walkable
    std::int16_t tipo = 0;         // tile code, selects the picture
    std::int16_t f = 0;            // h + g + costo
    std::int16_t g = 0;            // cost from the start: 10 straight, 14 diagonal
    std::int16_t h = 0;            // 10 × Manhattan distance to the destination
    std::int16_t padreX = 0;
    std::int16_t padreY = 0;
    std::int16_t cerrado = 0;   // chosen and expanded
    std::int16_t abierto = 0;   // a candidate for expansion
    std::int16_t enCamino = 0;  // on the last path found
    std::int16_t costo = 0;     // terrain modifier, added to f only
};

// The grid, indexed [column][row], 21 × 21; column 20 and row 20 stay all zero.
using Mapa = std::array<std::array<Celda, kGridSize>, kGridSize>;

}  // namespace marv
