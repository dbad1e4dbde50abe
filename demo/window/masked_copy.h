#pragma once

#include <QImage>

namespace marv {

// Stamps the 20 × 20 `figure` at (x, y) of `board` through `mask`: first dest := dest OR NOT mask,
// then dest := dest AND figure, bitwise on each 32-bit pixel, which stays opaque. Where the mask is
// white the board is kept; where it is black the figure replaces it. All three images are
// kBoardImageFormat; a square reaching past the board is cut at its edge.
void maskedCopy(QImage& board, int x, int y, const QImage& mask, const QImage& figure);

}  // namespace marv
