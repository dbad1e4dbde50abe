#pragma once

#include <QImage>
#include <QRect>
#include <QVector4D>

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

// The opacity-weighted mean of red, green and blue, and the mean opacity, as fractions of 255.
inline QVector4D meanColour(const QImage& image) {
    QVector4D sum;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const float alpha = qAlpha(p) / 255.0f;
            sum += QVector4D(qRed(p) * alpha, qGreen(p) * alpha, qBlue(p) * alpha, qAlpha(p));
        }
    return sum / (255.0f * image.width() * image.height());
}

}  // namespace marv::testing
