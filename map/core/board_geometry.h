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
// The side of a cell, and so of every board picture, which fills one cell.
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

inline constexpr bool isOnBoard(Cell cell) {
    return cell.column >= 0 && cell.column <= kLastIndex && cell.row >= 0 && cell.row <= kLastIndex;
}

// A map's values come in file order: value k is the cell in row k / 20, column k % 20.
inline constexpr Cell cellOfIndex(int index) {
    return {index % kBoardCells, index / kBoardCells};
}
inline constexpr int indexOfCell(Cell cell) {
    return cell.row * kBoardCells + cell.column;
}

// Calls `visit(cell)` for every cell of the board, in file order.
template <class Visit>
constexpr void forEachCell(Visit&& visit) {
    for (int index = 0; index < kMapValues; ++index) visit(cellOfIndex(index));
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
    // A coordinate far off the board, or no number at all, becomes -1 before it is made whole.
    const auto line = [](double pixel) {
        const double index = std::floor(pixel / kCellPixels);
        return index >= -1 && index <= kBoardCells ? static_cast<int>(index) : -1;
    };
    const Cell cell{line(x), line(y)};
    if (!isOnBoard(cell)) return std::nullopt;
    return cell;
}

}  // namespace marv
