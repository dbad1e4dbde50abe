#pragma once

#include <cstdint>

#include "demo/search/demo_state.h"
#include "map/core/board_geometry.h"

namespace marv {

// What a cell shows on the demonstration's board, as one number: its tile, the closed, open and
// path marks while the search display is on, and the character standing on it. Two cells look
// alike exactly when their numbers are equal.
inline std::uint32_t cellPicture(const DemoState& state, Cell cell) {
    const Celda& c = state.celda(cell.column, cell.row);
    std::uint32_t picture = static_cast<std::uint16_t>(c.tipo);
    if (state.mostrarBusqueda == kTrue) {
        if (c.cerrado == kTrue) picture |= 1u << 16;
        if (c.abierto == kTrue) picture |= 1u << 17;
        if (c.enCamino == kTrue) picture |= 1u << 18;
    }
    if (cell.column == state.posX && cell.row == state.posY) picture |= 1u << 19;
    return picture;
}

}  // namespace marv
