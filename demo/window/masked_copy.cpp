#include "demo/window/masked_copy.h"

#include <QRect>
#include <type_traits>

#include "map/core/board_geometry.h"

namespace marv {
namespace {

constexpr QRgb kOpaque = 0xff000000u;

// One row of the stamp. The pointers cannot overlap, so the compiler turns the loop into vector
// operations; inlined with the constant full width, into a few of them.
inline void stampRow(QRgb* __restrict board, const QRgb* __restrict mask,
                     const QRgb* __restrict figure, int count) {
    for (int x = 0; x < count; ++x) board[x] = ((board[x] | ~mask[x]) & figure[x]) | kOpaque;
}

// The pixels of a 32-bit image from (column, line) on; `Bits` is uchar or const uchar.
template <class Bits>
auto pixels(Bits* bits, qsizetype stride, int line, int column) {
    using Pixel = std::conditional_t<std::is_const_v<Bits>, const QRgb, QRgb>;
    return reinterpret_cast<Pixel*>(bits + line * stride) + column;
}

}  // namespace

void maskedCopy(QImage& board, int x, int y, const QImage& mask, const QImage& figure) {
    Q_ASSERT(board.depth() == 32 && mask.depth() == 32 && figure.depth() == 32);
    Q_ASSERT(mask.width() >= kCellPixels && mask.height() >= kCellPixels);
    Q_ASSERT(figure.width() >= kCellPixels && figure.height() >= kCellPixels);
    const QRect square = QRect(x, y, kCellPixels, kCellPixels) & board.rect();
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
        if (square.width() == kCellPixels) {
            stampRow(t, ml, fl, kCellPixels);
        } else {
            stampRow(t, ml, fl, square.width());
        }
    }
}

}  // namespace marv
