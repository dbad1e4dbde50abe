#pragma once

#include <QImage>
#include <functional>

#include "map/core/board_geometry.h"
#include "map/pictures/picture_set.h"

namespace marv {

// Copies every cell's tile picture, `pictures.imagen(tileAt(cell))`, over its place on `board`
// (400 × 400, kBoardImageFormat), row by row from the top, and calls `onTile`, if given, with
// each cell and its origin as soon as its tile is laid, while its pixels are at hand. A code
// with no picture throws std::out_of_range, as the picture set does.
void paintTileLayer(QImage& board, const PictureSet& pictures,
                    const std::function<int(Cell)>& tileAt,
                    const std::function<void(Cell, PixelPoint)>& onTile = {});

// Copies the 20 × 20 `tile` over the cell whose origin is `at` on `board`, replacing its pixels.
void paintTile(QImage& board, const QImage& tile, PixelPoint at);

}  // namespace marv
