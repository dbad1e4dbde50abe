#include "map/board/tile_layer.h"

#include <cstring>

namespace marv {
namespace {

// A tile replaces the pixels beneath it, from `to` on, the board's rows `stride` bytes apart.
void copyTile(uchar* to, qsizetype stride, const QImage& tile) {
    Q_ASSERT(tile.depth() == 32 && tile.width() >= kCellPixels && tile.height() >= kCellPixels);
    const uchar* from = tile.constBits();
    for (int y = 0; y < kCellPixels; ++y, to += stride, from += tile.bytesPerLine())
        std::memcpy(to, from, kCellPixels * sizeof(QRgb));
}

uchar* cellBits(uchar* bits, qsizetype stride, PixelPoint at) {
    return bits + at.y * stride + at.x * sizeof(QRgb);
}

}  // namespace

void paintTileLayer(QImage& board, const PictureSet& pictures,
                    const std::function<int(Cell)>& tileAt,
                    const std::function<void(Cell, PixelPoint)>& onTile) {
    Q_ASSERT(board.depth() == 32 && board.width() >= kBoardPixels &&
             board.height() >= kBoardPixels);
    const auto stride = board.bytesPerLine();
    uchar* const bits = board.bits();
    forEachCell([&](Cell cell) {
        const PixelPoint at = cellOrigin(cell);
        copyTile(cellBits(bits, stride, at), stride, pictures.imagen(tileAt(cell)));
        if (onTile) onTile(cell, at);
    });
}

void paintTile(QImage& board, const QImage& tile, PixelPoint at) {
    Q_ASSERT(board.depth() == 32 && at.x >= 0 && at.y >= 0 && at.x + kCellPixels <= board.width() &&
             at.y + kCellPixels <= board.height());
    copyTile(cellBits(board.bits(), board.bytesPerLine(), at), board.bytesPerLine(), tile);
}

}  // namespace marv
