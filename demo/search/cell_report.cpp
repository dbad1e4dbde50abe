#include "demo/search/cell_report.h"

namespace marv {
namespace {

// Spanish, like every other text the user reads.
const char* truthWord(int value) {
    return value != 0 ? "Verdadero" : "Falso";
}

}  // namespace

std::string cellReportLine(const DemoState& state, int column, int row) {
    const Celda& c = state.celda(column, row);
    return std::string("Abierto = ") + truthWord(c.abierto) + "  Cerrado = " + truthWord(c.cerrado);
}

int blockedAround(const DemoState& state, int column, int row) {
    int blocked = 0;
    for (int y = row - 1; y <= row + 1; ++y)
        for (int x = column - 1; x <= column + 1; ++x) blocked += state.blocked(x, y);
    return blocked;
}

std::string cellReportMessage(const DemoState& state, int column, int row) {
    const Celda& c = state.celda(column, row);
    return "Coor = " + std::to_string(column) + " " + std::to_string(row) + "\r\n" +
           "Cerrados = " + std::to_string(blockedAround(state, column, row)) + "\r\n" +
           "F = " + std::to_string(c.f) + "\r\n" + "Padres = " + std::to_string(c.padreX) + " " +
           std::to_string(c.padreY);
}

}  // namespace marv
