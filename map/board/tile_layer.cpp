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
    for (int row = 0; row <= kLastIndex; ++row) {
        for (int column = 0; column <= kLastIndex; ++column) {
            const QImage& tile = pictures.imagen(tileAt({column, row}));
            Q_ASSERT(tile.depth() == 32 && tile.width() >= kCellPixels &&
                     tile.height() >= kCellPixels);
            const uchar* from = tile.constBits();
            const PixelPoint at = cellOrigin({column, row});
            uchar* to = bits + at.y * stride + at.x * sizeof(QRgb);
            // A tile replaces the pixels beneath it.
            for (int y = 0; y < kCellPixels; ++y, to += stride, from += tile.bytesPerLine())
                std::memcpy(to, from, kCellPixels * sizeof(QRgb));
            if (onTile) onTile({column, row}, at);
        }
    }
}

}  // namespace marv
