#include "map/board/tile_layer.h"

namespace marv {

void paintTileLayer(QPainter& painter, const PictureSet& pictures, const CodeGrid& codes) {
    // A tile replaces the pixels beneath it.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int row = 0; row <= kLastIndex; ++row) {
        for (int column = 0; column <= kLastIndex; ++column) {
            const PixelPoint at = cellOrigin({column, row});
            painter.drawImage(at.x, at.y, pictures.imagen(codes[column][row]));
        }
    }
}

}  // namespace marv
