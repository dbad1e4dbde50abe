#include "demo/window/paint_demo_board.h"

#include "demo/window/masked_copy.h"
#include "map/board/tile_layer.h"

namespace marv {

// The marks of one cell touch only that cell, so laying all the tiles first and then the marks
// gives the same pixels as finishing each cell before the next.
void paintDemoBoard(QImage& board, const DemoState& state, const PictureSet& pictures) {
    paintTileLayer(board, pictures,
                   [&state](Cell cell) { return state.celda(cell.column, cell.row).tipo; });
    const auto stamp = [&](PixelPoint at, int mask, int figure) {
        maskedCopy(board, at.x, at.y, pictures.imagen(mask), pictures.imagen(figure));
    };
    if (state.mostrarBusqueda == kTrue) {
        for (int row = 0; row <= state.ultimaFila; ++row) {
            for (int column = 0; column <= state.ultimaColumna; ++column) {
                const Celda& c = state.celda(column, row);
                const PixelPoint at = cellOrigin({column, row});
                if (c.cerrado == kTrue) stamp(at, kMascaraMarco, kMarcoCerrado);
                if (c.abierto == kTrue) stamp(at, kMascaraMarco, kMarcoAbierto);
                if (c.enCamino == kTrue) stamp(at, kMascaraPersonaje, kFiguraPersonaje);
            }
        }
    }
    stamp(cellOrigin({state.posX, state.posY}), kMascaraPersonaje, kFiguraPersonaje);
}

}  // namespace marv
