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

// Inside the square stamped at (x, y) every channel must be (before | ~mask) & figure and the
// pixel opaque; outside it nothing may change.
void expectStamped(const QImage& before, const QImage& after, int x, int y, const QImage& mask,
                   const QImage& figure) {
    ASSERT_EQ(after.format(), kBoardImageFormat);
    int wrong = 0;
    for (int by = 0; by < before.height(); ++by)
        for (int bx = 0; bx < before.width(); ++bx) {
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
    const QImage before = noise(60, 60, 1);
    const QImage mask = noise(20, 20, 2);
    const QImage figure = noise(20, 20, 3);
    QImage board = before;
    {
        QPainter painter(&board);
        maskedCopy(painter, 17, 23, mask, figure);
    }
    expectStamped(before, board, 17, 23, mask, figure);
}

TEST(MaskedCopy, ReachesTheBoardsLastCell) {
    const QImage before = noise(400, 400, 4);
    const QImage mask = noise(20, 20, 5);
    const QImage figure = noise(20, 20, 6);
    QImage board = before;
    maskedCopy(board, 380, 380, mask, figure);
    expectStamped(before, board, 380, 380, mask, figure);
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
