#include "demo/window/masked_copy.h"

#include "map/pictures/picture_set.h"
#include "support/pixels.h"

#include <gtest/gtest.h>
#include <cstdint>
#include <random>

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

// Stamps a noise mask and figure at (x, y) on a noise board of `side` pixels; the result must be
// the oracle's. In this format QImage compares every bit, so a wrong alpha byte shows too.
void expectStampedNoise(int side, int x, int y, std::uint32_t seed) {
    const QImage before = noise(side, side, seed);
    const QImage mask = noise(20, 20, seed + 1);
    const QImage figure = noise(20, 20, seed + 2);
    QImage after = before;
    maskedCopy(after, x, y, mask, figure);
    ASSERT_EQ(after.format(), kBoardImageFormat);
    EXPECT_TRUE(after == testing::stamped(before, mask, figure, {x, y})) << "at " << x << "," << y;
}

// Arbitrary masks, not just black and white ones, show that the raster operations really are
// bitwise on every channel. Then the last cell, and squares reaching past an edge, cut there.
// With the pictures' pure masks (checked with the pictures), the figure shows where its mask is
// black and the board where it is white.
TEST(MaskedCopy, IsBitwiseOnEveryChannelAndStopsAtTheBoardsEdges) {
    expectStampedNoise(60, 17, 23, 1);
    expectStampedNoise(400, 380, 380, 4);
    expectStampedNoise(60, 50, -7, 7);
    expectStampedNoise(60, -13, 45, 10);
}

}  // namespace
}  // namespace marv
