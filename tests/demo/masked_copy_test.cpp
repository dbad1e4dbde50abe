#include "demo/window/masked_copy.h"

#include "map/pictures/picture_set.h"
#include "support/pixels.h"

#include <gtest/gtest.h>
#include <cstdint>
#include <random>
#include <tuple>

namespace marv {
namespace {

// Every bit of every pixel at random, alpha too.
QImage noise(int width, int height, std::uint32_t seed) {
    std::mt19937 rng(seed);
    QImage image(width, height, kBoardImageFormat);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, rng());
    return image;
}

// Arbitrary masks, not just black and white ones, show that the raster operations really are
// bitwise on every channel. Then the last cell, and squares reaching past an edge, cut there. In
// this format QImage compares every bit, so a wrong alpha byte shows too.
TEST(MaskedCopy, IsBitwiseOnEveryChannelAndStopsAtTheBoardsEdges) {
    // Board side, where the square goes, and the seed of the noise.
    const std::tuple<int, int, int, std::uint32_t> cases[] = {
        {60, 17, 23, 1}, {400, 380, 380, 4}, {60, 50, -7, 7}, {60, -13, 45, 10}};
    for (const auto& [side, x, y, seed] : cases) {
        const QImage before = noise(side, side, seed);
        const QImage mask = noise(20, 20, seed + 1);
        const QImage figure = noise(20, 20, seed + 2);
        QImage after = before;
        maskedCopy(after, x, y, mask, figure);
        ASSERT_EQ(after.format(), kBoardImageFormat);
        EXPECT_TRUE(after == testing::stamped(before, mask, figure, {x, y})) << x << "," << y;
    }
}

}  // namespace
}  // namespace marv
