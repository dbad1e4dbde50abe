#pragma once

#include <QPainter>

#include "map/map_text.h"
#include "map/pictures/picture_set.h"

namespace marv {

// Paints every cell's tile picture at its origin, row by row from the top.
void paintTileLayer(QPainter& painter, const PictureSet& pictures, const CodeGrid& codes);

}  // namespace marv
