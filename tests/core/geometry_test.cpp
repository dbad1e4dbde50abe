#include <gtest/gtest.h>

#include "map/core/board_geometry.h"

namespace marv {
namespace {

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
