#include "demo/window/masked_copy.h"

#include <QRect>

namespace marv {
namespace {

constexpr int kSide = 20;
constexpr QRgb kOpaque = 0xff000000u;

// One row of the stamp. A whole row has a fixed length and pointers that cannot overlap, so the
// compiler turns it into a few vector operations.
void stampRow(QRgb* __restrict board, const QRgb* __restrict mask, const QRgb* __restrict figure) {
    for (int x = 0; x < kSide; ++x) board[x] = ((board[x] | ~mask[x]) & figure[x]) | kOpaque;
}

void stampPartOfRow(QRgb* board, const QRgb* mask, const QRgb* figure, int count) {
    for (int x = 0; x < count; ++x) board[x] = ((board[x] | ~mask[x]) & figure[x]) | kOpaque;
}

QRgb* pixels(uchar* bits, qsizetype stride, int line, int column) {
    return reinterpret_cast<QRgb*>(bits + line * stride) + column;
}

const QRgb* pixels(const uchar* bits, qsizetype stride, int line, int column) {
    return reinterpret_cast<const QRgb*>(bits + line * stride) + column;
}

}  // namespace

void maskedCopy(QImage& board, int x, int y, const QImage& mask, const QImage& figure) {
    Q_ASSERT(board.depth() == 32 && mask.depth() == 32 && figure.depth() == 32);
    Q_ASSERT(mask.width() >= kSide && mask.height() >= kSide);
    Q_ASSERT(figure.width() >= kSide && figure.height() >= kSide);
    const QRect square = QRect(x, y, kSide, kSide) & board.rect();
    if (square.isEmpty()) return;
    uchar* const to = board.bits();
    const uchar* const m = mask.constBits();
    const uchar* const f = figure.constBits();
    const qsizetype toStride = board.bytesPerLine(), mStride = mask.bytesPerLine(),
                    fStride = figure.bytesPerLine();
    const int skipX = square.left() - x, skipY = square.top() - y;
    for (int line = 0; line < square.height(); ++line) {
        QRgb* const t = pixels(to, toStride, square.top() + line, square.left());
        const QRgb* const ml = pixels(m, mStride, skipY + line, skipX);
        const QRgb* const fl = pixels(f, fStride, skipY + line, skipX);
        if (square.width() == kSide) {
            stampRow(t, ml, fl);
        } else {
            stampPartOfRow(t, ml, fl, square.width());
        }
    }
}

}  // namespace marv
