#include <gtest/gtest.h>

#include "map/core/board_geometry.h"

namespace marv {
namespace {

TEST(Geometry, CellOfAPressRoundsDownAtEveryBoundary) {
    const std::pair<double, int> cases[] = {{0, 0},    {19, 0},    {19.99, 0}, {20, 1},
                                            {39.5, 1}, {379, 18},  {380, 19},  {395, 19},
                                            {399, 19}, {399.9, 19}};
    for (const auto& [pixel, cell] : cases) {
        const auto across = cellOfPress(pixel, 0), down = cellOfPress(0, pixel);
        ASSERT_TRUE(across && down) << pixel;
        EXPECT_EQ(across->column, cell) << "x " << pixel;
        EXPECT_EQ(down->row, cell) << "y " << pixel;
    }
}

TEST(Geometry, PressesOffTheBoardLieInNoCell) {
    for (double outside : {-0.5, -1.0, -20.0, 400.0, 420.0, 1e9}) {
        EXPECT_FALSE(cellOfPress(outside, 10).has_value()) << outside;
        EXPECT_FALSE(cellOfPress(10, outside).has_value()) << outside;
    }
}

TEST(Geometry, CellOriginIsTwentyPixelsACell) {
    EXPECT_EQ(cellOrigin({0, 0}), (PixelPoint{0, 0}));
    EXPECT_EQ(cellOrigin({3, 7}), (PixelPoint{60, 140}));
    EXPECT_EQ(cellOrigin({19, 19}), (PixelPoint{380, 380}));
}

}  // namespace
}  // namespace marv
