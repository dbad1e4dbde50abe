#include "map/board/tile_layer.h"

#include <cstring>

namespace marv {

void paintTileLayer(QImage& board, const PictureSet& pictures,
                    const std::function<int(Cell)>& tileAt,
                    const std::function<void(Cell, PixelPoint)>& onTile) {
    Q_ASSERT(board.depth() == 32 && board.width() >= kBoardPixels &&
             board.height() >= kBoardPixels);
    for (int row = 0; row <= kLastIndex; ++row) {
        for (int column = 0; column <= kLastIndex; ++column) {
            const PixelPoint at = cellOrigin({column, row});
            paintTile(board, pictures.imagen(tileAt({column, row})), at);
            if (onTile) onTile({column, row}, at);
        }
    }
}

void paintTile(QImage& board, const QImage& tile, PixelPoint at) {
    Q_ASSERT(board.depth() == 32 && tile.depth() == 32 && tile.width() >= kCellPixels &&
             tile.height() >= kCellPixels);
    Q_ASSERT(at.x >= 0 && at.y >= 0 && at.x + kCellPixels <= board.width() &&
             at.y + kCellPixels <= board.height());
    const auto stride = board.bytesPerLine();
    uchar* to = board.bits() + at.y * stride + at.x * sizeof(QRgb);
    const uchar* from = tile.constBits();
    for (int y = 0; y < kCellPixels; ++y, to += stride, from += tile.bytesPerLine())
        std::memcpy(to, from, kCellPixels * sizeof(QRgb));
}

}  // namespace marv
