#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

namespace marv {

// The board: 20 × 20 cells of 20 × 20 pixels, column first everywhere.
// Grids are allocated 21 × 21; column 20 and row 20 are never used.
inline constexpr int kBoardCells = 20;
inline constexpr int kLastIndex = kBoardCells - 1;  // ultimaColumna, ultimaFila
inline constexpr int kGridSize = kBoardCells + 1;
inline constexpr int kCellPixels = 20;
inline constexpr int kBoardPixels = kBoardCells * kCellPixels;
inline constexpr int kMapValues = kBoardCells * kBoardCells;

struct Cell {
    int column = 0;
    int row = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

inline constexpr PixelPoint cellOrigin(Cell cell) {
    return {kCellPixels * cell.column, kCellPixels * cell.row};
}

inline constexpr bool isOnBoard(int column, int row) {
    return column >= 0 && column <= kLastIndex && row >= 0 && row <= kLastIndex;
}

// Mouse buttons as a press on the board reports them.
inline constexpr int kNoButton = 0;
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

// The cell under a press at board pixel (x, y): each coordinate divided by the cell size and
// rounded toward minus infinity. A press off the board's drawing area (on its border, say) lies
// in no cell.
inline std::optional<Cell> cellOfPress(double x, double y) {
    const double column = std::floor(x / kCellPixels);
    const double row = std::floor(y / kCellPixels);
    if (!(column >= 0 && column <= kLastIndex && row >= 0 && row <= kLastIndex))
        return std::nullopt;
    return Cell{static_cast<int>(column), static_cast<int>(row)};
}

}  // namespace marv
