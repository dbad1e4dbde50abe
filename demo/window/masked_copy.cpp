#include "demo/window/masked_copy.h"

namespace marv {

void maskedCopy(QPainter& boardPainter, int x, int y, const QImage& mask, const QImage& figure) {
    const QPainter::CompositionMode previous = boardPainter.compositionMode();
    boardPainter.setCompositionMode(QPainter::RasterOp_NotSourceOrDestination);
    boardPainter.drawImage(x, y, mask);
    boardPainter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    boardPainter.drawImage(x, y, figure);
    boardPainter.setCompositionMode(previous);
}

void maskedCopy(QImage& board, int x, int y, const QImage& mask, const QImage& figure) {
    QPainter painter(&board);
    maskedCopy(painter, x, y, mask, figure);
}

}  // namespace marv
