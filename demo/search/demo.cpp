#include "demo/search/demo.h"

#include "demo/search/cell_report.h"
#include "map/core/tile_codes.h"

namespace marv {

void Demo::load(const MapValues& values) {
    state_.ultimaColumna = kLastIndex;
    state_.ultimaFila = kLastIndex;
    forEachCell([&](Cell cell) {
        const MapValue& value = values[indexOfCell(cell)];
        Celda& celda = state_.celda(cell.column, cell.row);
        celda.tipo = value.code;
        const Terrain terrain = terrainOf(value.number);
        celda.transitable = flag(terrain.walkable);
        celda.costo = terrain.costo;
    });
    state_.posX = 0;
    state_.posY = 0;
    window_.dibujar();
}

void Demo::clickReiniciar() {
    if (state_.buscando == kTrue) return;
    reiniciar();
}

void Demo::reiniciar() {
    window_.stopWalkTimer();
    forEachCell([this](Cell cell) {
        Celda& c = state_.celda(cell.column, cell.row);
        c.abierto = c.cerrado = c.f = c.g = c.h = c.padreX = c.padreY = c.enCamino = 0;
    });
    window_.dibujar();
}

void Demo::pressBoard(int button, double x, double y, bool personajeTicked) {
    const auto cell = cellOfPress(x, y);
    if (!cell) return;
    if (button == kLeftButton && personajeTicked) {
        placeCharacter(cell->column, cell->row);
    } else if (button == kLeftButton) {
        buscar(cell->column, cell->row);
    } else if (button == kRightButton) {
        reportCell(cell->column, cell->row);
    }
}

void Demo::placeCharacter(int column, int row) {
    // Moving the start under a running search would break its path back.
    if (state_.buscando == kTrue) return;
    reiniciar();
    state_.posX = static_cast<std::int16_t>(column);
    state_.posY = static_cast<std::int16_t>(row);
    window_.dibujar();
}

void Demo::reportCell(int column, int row) {
    window_.setText1(cellReportLine(state_, column, row));
    window_.showMessage(cellReportMessage(state_, column, row));
}

}  // namespace marv
