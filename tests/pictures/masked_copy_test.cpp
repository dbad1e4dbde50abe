#include "demo/window/masked_copy.h"

#include "map/pictures/picture_set.h"

#include <gtest/gtest.h>
#include <QPainter>
#include <cstdint>
#include <random>

namespace marv {
namespace {

QImage noise(int width, int height, std::uint32_t seed) {
    std::mt19937 rng(seed);
    QImage image(width, height, kBoardImageFormat);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, 0xff000000u | (rng() & 0xffffffu));
    return image;
}

// Stamps a noise mask and figure at (x, y) on a noise board of `side` pixels, through a painter
// or straight on the image. Inside the square every channel must then be
// (before | ~mask) & figure and the pixel opaque; outside it nothing may change.
void expectStampedNoise(int side, int x, int y, bool withPainter, std::uint32_t seed) {
    const QImage before = noise(side, side, seed);
    const QImage mask = noise(20, 20, seed + 1);
    const QImage figure = noise(20, 20, seed + 2);
    QImage after = before;
    if (withPainter) {
        QPainter painter(&after);
        maskedCopy(painter, x, y, mask, figure);
    } else {
        maskedCopy(after, x, y, mask, figure);
    }
    ASSERT_EQ(after.format(), kBoardImageFormat);
    int wrong = 0;
    for (int by = 0; by < side; ++by)
        for (int bx = 0; bx < side; ++bx) {
            QRgb expected = before.pixel(bx, by);
            if (QRect(x, y, 20, 20).contains(bx, by)) {
                const QRgb m = mask.pixel(bx - x, by - y);
                const QRgb f = figure.pixel(bx - x, by - y);
                expected = 0xff000000u | ((expected | ~m) & f);
            }
            // The raw word, so that a wrong alpha byte shows too.
            const QRgb actual = reinterpret_cast<const QRgb*>(after.constScanLine(by))[bx];
            if (actual != expected && ++wrong <= 5)
                ADD_FAILURE() << "at " << bx << "," << by << std::hex << ": 0x" << actual
                              << " instead of 0x" << expected;
        }
    EXPECT_EQ(wrong, 0);
}

// Arbitrary masks, not just black and white ones, show that the raster operations really are
// bitwise on every channel.
TEST(MaskedCopy, IsBitwiseOnEveryChannelAndLeavesTheRestAlone) {
    expectStampedNoise(60, 17, 23, true, 1);
}

TEST(MaskedCopy, ReachesTheBoardsLastCell) {
    expectStampedNoise(400, 380, 380, false, 4);
}

// One painter stamps several cells, as on every repaint of the board: the character shows its
// whole silhouette, a frame keeps the ground inside it, and the painter keeps its own mode.
TEST(MaskedCopy, StampsTheCharacterAndAFrameOverTexturedGround) {
    const PictureSet& set = PictureSet::shared();
    QImage before(40, 20, kBoardImageFormat);
    {
        QPainter painter(&before);
        painter.drawImage(0, 0, set.imagen(kTierra));
        painter.drawImage(20, 0, set.imagen(kAgua));
    }
    QImage board = before;
    QPainter painter(&board);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    maskedCopy(painter, 0, 0, set.imagen(kMascaraPersonaje), set.imagen(kFiguraPersonaje));
    maskedCopy(painter, 20, 0, set.imagen(kMascaraMarco), set.imagen(kMarcoAbierto));
    EXPECT_EQ(painter.compositionMode(), QPainter::CompositionMode_Source);
    painter.end();

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
