#include "demo/window/board_renderer.h"

#include <QPainter>

#include "demo/window/masked_copy.h"

namespace marv {

void paintDemoBoard(QImage& board, const DemoState& state, const PictureSet& pictures) {
    QPainter painter(&board);
    // A tile replaces the pixels beneath it.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const bool marks = state.mostrarBusqueda == kTrue;
    for (int row = 0; row <= state.ultimaFila; ++row) {
        for (int column = 0; column <= state.ultimaColumna; ++column) {
            const Celda& c = state.celda(column, row);
            const PixelPoint at = cellOrigin({column, row});
            painter.drawImage(at.x, at.y, pictures.imagen(c.tipo));
            if (!marks) continue;
            if (c.cerrado == kTrue) {
                maskedCopy(painter, at.x, at.y, pictures.imagen(kMascaraMarco),
                           pictures.imagen(kMarcoCerrado));
            }
            if (c.abierto == kTrue) {
                maskedCopy(painter, at.x, at.y, pictures.imagen(kMascaraMarco),
                           pictures.imagen(kMarcoAbierto));
            }
            if (c.enCamino == kTrue) {
                maskedCopy(painter, at.x, at.y, pictures.imagen(kMascaraPersonaje),
                           pictures.imagen(kFiguraPersonaje));
            }
        }
    }
    const PixelPoint character = cellOrigin({state.posX, state.posY});
    maskedCopy(painter, character.x, character.y, pictures.imagen(kMascaraPersonaje),
               pictures.imagen(kFiguraPersonaje));
}

}  // namespace marv
