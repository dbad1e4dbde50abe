#pragma once

#include <QImage>

#include "demo/search/demo_state.h"
#include "map/pictures/picture_set.h"

namespace marv {

// The demonstration's whole board into `board` (400 × 400, kBoardImageFormat): every tile; when the
// search display is on, each cell's closed, open and path marks in that order; then the
// character. Writes no state. The window repaints changed cells alone (paintDemoCell); this whole
// repaint is what every frame must look like.
void paintDemoBoard(QImage& board, const DemoState& state, const PictureSet& pictures);

// One cell of that board, as paintDemoBoard leaves it: its tile, its marks when the search display
// is on, and the character if it stands there.
void paintDemoCell(QImage& board, const DemoState& state, const PictureSet& pictures, Cell cell);

}  // namespace marv
