#pragma once

#include <QImage>
#include <QPainter>

namespace marv {

// Stamps the 20 × 20 `figure` at (x, y) through `mask`: first dest := dest OR NOT mask, then
// dest := dest AND figure. Where the mask is white the board is kept; where it is black the
// figure replaces it. `boardPainter` must be painting, untransformed, on an opaque 32-bit image;
// its composition mode is left as it was.
void maskedCopy(QPainter& boardPainter, int x, int y, const QImage& mask, const QImage& figure);

// The same on a board image, for a single stamp.
void maskedCopy(QImage& board, int x, int y, const QImage& mask, const QImage& figure);

}  // namespace marv
