#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "map/core/board_geometry.h"

namespace marv {

// What every cell of a board showed when it was last drawn, each as a number that differs
// whenever the cell's picture does, so that a frame repaints only the cells that changed.
class DrawnCells {
  public:
    using Key = std::uint32_t;

    // The cells, in row order, whose key `keyOf(cell)` differs from the one drawn last: every
    // cell the first time. Their new keys count as drawn from then on.
    template <class KeyOf>
    const std::vector<Cell>& changed(KeyOf keyOf) {
        changed_.clear();
        for (int row = 0; row <= kLastIndex; ++row)
            for (int column = 0; column <= kLastIndex; ++column) {
                const Key key = keyOf(Cell{column, row});
                Key& drawn = drawn_[row * kBoardCells + column];
                if (key == drawn && !first_) continue;
                drawn = key;
                changed_.push_back({column, row});
            }
        first_ = false;
        return changed_;
    }

  private:
    std::array<Key, kMapValues> drawn_{};
    bool first_ = true;
    std::vector<Cell> changed_;
};

}  // namespace marv
