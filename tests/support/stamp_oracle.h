#pragma once

#include <QImage>
#include <QRect>

namespace marv::testing {

// `board` with `figure` stamped at `at` through `mask`, worked out pixel by pixel from the two
// raster operations: dest OR NOT mask, then AND figure; the pixel stays opaque. The part of the
// 20 × 20 square off the board is cut.
inline QImage stamped(QImage board, const QImage& mask, const QImage& figure, QPoint at = {}) {
    const QRect square = QRect(at, QSize(20, 20)) & board.rect();
    for (int y = square.top(); y <= square.bottom(); ++y)
        for (int x = square.left(); x <= square.right(); ++x) {
            const QPoint in = QPoint(x, y) - at;
            board.setPixel(
                x, y, ((board.pixel(x, y) | ~mask.pixel(in)) & figure.pixel(in)) | 0xff000000u);
        }
    return board;
}

}  // namespace marv::testing
