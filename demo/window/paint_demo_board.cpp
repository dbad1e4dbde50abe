#include "demo/window/paint_demo_board.h"

#include "demo/window/masked_copy.h"
#include "map/board/tile_layer.h"

namespace marv {

void paintDemoBoard(QImage& board, const DemoState& state, const PictureSet& pictures) {
    const auto stamp = [&](PixelPoint at, int mask, int figure) {
        maskedCopy(board, at.x, at.y, pictures.imagen(mask), pictures.imagen(figure));
    };
    const auto marks = [&](Cell cell, PixelPoint at) {
        const Celda& c = state.celda(cell.column, cell.row);
        if (c.cerrado == kTrue) stamp(at, kMascaraMarco, kMarcoCerrado);
        if (c.abierto == kTrue) stamp(at, kMascaraMarco, kMarcoAbierto);
        if (c.enCamino == kTrue) stamp(at, kMascaraPersonaje, kFiguraPersonaje);
    };
    const auto tipo = [&state](Cell cell) { return state.celda(cell.column, cell.row).tipo; };
    // Each cell is finished, its tile and then its marks, before the next one begins.
    if (state.mostrarBusqueda == kTrue) {
        paintTileLayer(board, pictures, tipo, marks);
    } else {
        paintTileLayer(board, pictures, tipo);
    }
    stamp(cellOrigin({state.posX, state.posY}), kMascaraPersonaje, kFiguraPersonaje);
}

void paintDemoCell(QImage& board, const DemoState& state, const PictureSet& pictures, Cell cell) {
    const PixelPoint at = cellOrigin(cell);
    const Celda& c = state.celda(cell.column, cell.row);
    paintTile(board, pictures.imagen(c.tipo), at);
    const auto stamp = [&](int mask, int figure) {
        maskedCopy(board, at.x, at.y, pictures.imagen(mask), pictures.imagen(figure));
    };
    if (state.mostrarBusqueda == kTrue) {
        if (c.cerrado == kTrue) stamp(kMascaraMarco, kMarcoCerrado);
        if (c.abierto == kTrue) stamp(kMascaraMarco, kMarcoAbierto);
        if (c.enCamino == kTrue) stamp(kMascaraPersonaje, kFiguraPersonaje);
    }
    if (cell.column == state.posX && cell.row == state.posY)
        stamp(kMascaraPersonaje, kFiguraPersonaje);
}

}  // namespace marv
