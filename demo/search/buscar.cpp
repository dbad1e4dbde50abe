#include <string>

#include "demo/search/demo.h"

namespace marv {

void Demo::buscar(int x, int y) {
    DemoState& s = state_;
    if (s.buscando == kTrue) return;
    if (!isOnBoard({x, y})) return;
    if ((x == s.posX && y == s.posY) || (x == s.destX && y == s.destY)) return;

    s.buscando = kTrue;
    if (!window_.checkIr()) s.mostrarBusqueda = kTrue;
    s.encontrado = kFalse;
    reiniciar();
    s.destX = static_cast<std::int16_t>(x);
    s.destY = static_cast<std::int16_t>(y);
    s.actX = s.posX;
    s.actY = s.posY;
    Celda& start = s.celda(s.posX, s.posY);
    start.abierto = kFalse;
    start.cerrado = kTrue;
    start.g = 0;

    bool found = false;
    while (!found) {
        if (!window_.yieldUntilNextStep()) {
            // The window is going away: touch nothing of it any more.
            s.buscando = kFalse;
            return;
        }
        // The first pass expands the start; later passes repeat the expansion made at the end of
        // the previous one, which changes no cell.
        expandir(s);
        chooseNextNode();
        expandir(s);
        const bool atDestination = s.actX == s.destX && s.actY == s.destY;
        if (!atDestination && s.rechazados == 9 && !anyCellOpen()) {
            window_.dibujar();
            s.buscando = kFalse;
            window_.setText1("NO SE PUEDE LLEGAR AL DESTINO");
            return;
        }
        found = atDestination;
        if (!window_.checkIr()) window_.dibujar();
    }

    buildPath();
    s.encontrado = kTrue;
    window_.dibujar();
    if (window_.checkIr()) startWalk();
    s.buscando = kFalse;
}

// Closes the open cell with the lowest f, the first met in row order on a tie; when there is
// none, the node itself again.
void Demo::chooseNextNode() {
    DemoState& s = state_;
    int bestF = 99999;
    int bestX = s.actX, bestY = s.actY;
    forEachCell([&](Cell cell) {
        const Celda& c = s.celda(cell.column, cell.row);
        if (c.cerrado == 0 && c.transitable == kTrue && c.abierto == kTrue && c.f < bestF) {
            bestF = c.f;
            bestX = cell.column;
            bestY = cell.row;
        }
    });
    s.actX = static_cast<std::int16_t>(bestX);
    s.actY = static_cast<std::int16_t>(bestY);
    Celda& chosen = s.celda(bestX, bestY);
    chosen.cerrado = kTrue;
    chosen.abierto = kFalse;
}

bool Demo::anyCellOpen() const {
    bool open = false;
    forEachCell(
        [&](Cell cell) { open = open || state_.celda(cell.column, cell.row).abierto == kTrue; });
    return open;
}

// Walks the parents back from the destination, marking the path and writing ruta.
void Demo::buildPath() {
    DemoState& s = state_;
    std::string ruta = "," + std::to_string(s.destX) + "," + std::to_string(s.destY);
    int pasos = 0;
    // A path visits each cell once; the bound only guards against a broken chain of parents.
    for (int guard = 0; guard < kGridSize * kGridSize; ++guard) {
        Celda& c = s.celda(s.actX, s.actY);
        c.enCamino = kTrue;
        s.actX = c.padreX;
        s.actY = c.padreY;
        ++pasos;
        if (s.actX == s.posX && s.actY == s.posY) {
            ruta.erase(0, 1);
            break;
        }
        ruta = "," + std::to_string(s.actX) + "," + std::to_string(s.actY) + ruta;
    }
    s.ruta = ruta;
    window_.setText1("Encontrado: " + std::to_string(pasos) + " pasos");
}

}  // namespace marv
