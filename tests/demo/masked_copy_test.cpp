#include "demo/window/masked_copy.h"

#include "map/pictures/picture_set.h"
#include "support/pixels.h"

#include <gtest/gtest.h>
#include <QPainter>
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
TEST(MaskedCopy, IsBitwiseOnEveryChannelAndStopsAtTheBoardsEdges) {
    expectStampedNoise(60, 17, 23, 1);
    expectStampedNoise(400, 380, 380, 4);
    expectStampedNoise(60, 50, -7, 7);
    expectStampedNoise(60, -13, 45, 10);
}

// The character shows its whole silhouette, and a frame keeps the ground inside it.
TEST(MaskedCopy, StampsTheCharacterAndAFrameOverTexturedGround) {
    const PictureSet& set = PictureSet::shared();
    QImage before(40, 20, kBoardImageFormat);
    QPainter(&before).drawImage(0, 0, set.imagen(kTierra));
    QPainter(&before).drawImage(20, 0, set.imagen(kAgua));
    QImage board = before;
    maskedCopy(board, 0, 0, set.imagen(kMascaraPersonaje), set.imagen(kFiguraPersonaje));
    maskedCopy(board, 20, 0, set.imagen(kMascaraMarco), set.imagen(kMarcoAbierto));

    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool body = set.imagen(kMascaraPersonaje).pixel(x, y) == 0xff000000;
            EXPECT_EQ(board.pixel(x, y),
                      body ? set.imagen(kFiguraPersonaje).pixel(x, y) : before.pixel(x, y));
            const bool inside = x >= 3 && x < 17 && y >= 3 && y < 17;
            EXPECT_EQ(board.pixel(20 + x, y),
                      inside ? before.pixel(20 + x, y) : set.imagen(kMarcoAbierto).pixel(x, y));
        }
}

}  // namespace
}  // namespace marv
