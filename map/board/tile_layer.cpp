#include "map/board/tile_layer.h"

#include <cstring>

namespace marv {

void paintTileLayer(QImage& board, const PictureSet& pictures,
                    const std::function<int(Cell)>& tileAt,
                    const std::function<void(Cell, PixelPoint)>& onTile) {
    Q_ASSERT(board.depth() == 32 && board.width() >= kBoardPixels &&
             board.height() >= kBoardPixels);
    const auto stride = board.bytesPerLine();
    uchar* const bits = board.bits();
    forEachCell([&](Cell cell) {
        const QImage& tile = pictures.imagen(tileAt(cell));
        Q_ASSERT(tile.depth() == 32 && tile.width() >= kCellPixels && tile.height() >= kCellPixels);
        const uchar* from = tile.constBits();
        const PixelPoint at = cellOrigin(cell);
        uchar* to = bits + at.y * stride + at.x * sizeof(QRgb);
        // A tile replaces the pixels beneath it.
        for (int y = 0; y < kCellPixels; ++y, to += stride, from += tile.bytesPerLine())
            std::memcpy(to, from, kCellPixels * sizeof(QRgb));
        if (onTile) onTile(cell, at);
    });
}

}  // namespace marv
