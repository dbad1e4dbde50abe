#pragma once

#include "map/board_geometry.h"

namespace marv::testing {

// The centre of a cell, in pixels of the board's drawing area.
inline constexpr PixelPoint cellCentre(Cell cell) {
    const PixelPoint origin = cellOrigin(cell);
    return {origin.x + kCellPixels / 2, origin.y + kCellPixels / 2};
}

}  // namespace marv::testing
