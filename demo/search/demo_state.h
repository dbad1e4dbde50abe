#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "demo/search/celda.h"

namespace marv {

// Everything the demonstration knows; all zero, false or empty until the map is loaded.
struct DemoState {
    std::int16_t buscando = 0;         // a search is running
    std::int16_t encontrado = 0;       // the last search found a path that can be walked
    std::int16_t mostrarBusqueda = 0;  // the board shows the open, closed and path marks
    std::int16_t ultimaColumna = 0;
    std::int16_t ultimaFila = 0;
    std::int16_t posX = 0, posY = 0;     // the character's cell, start of every search
    std::int16_t destX = 0, destY = 0;   // destination of the last search started
    std::int16_t actX = 0, actY = 0;     // node under expansion; cell walked back on the path
    std::string ruta;                    // "x1,y1,...,xn,yn" of the last path found
    std::vector<std::string> rutaPasos;  // the pieces of ruta the walk consumes
    Mapa mapa{};
    std::int16_t rechazados = 0;  // cells of the 3 × 3 block the last expansion rejected

    Celda& celda(int column, int row) { return mapa[column][row]; }
    const Celda& celda(int column, int row) const { return mapa[column][row]; }

    // A cell no step can enter: off the board, not walkable, or closed already. The expansion
    // rejects these in its 3 × 3 block; the cell report counts them.
    bool blocked(int column, int row) const {
        if (!isOnBoard({column, row})) return true;
        const Celda& c = celda(column, row);
        return c.transitable != kTrue || c.cerrado != kFalse;
    }
};

}  // namespace marv
