#pragma once

#include <string>

#include "demo/search/demo_state.h"

namespace marv {

// "Abierto = Verdadero  Cerrado = Falso": the results line for a right press on (column, row).
std::string cellReportLine(const DemoState& state, int column, int row);

// The four lines of the cell's search data, separated by CR LF.
std::string cellReportMessage(const DemoState& state, int column, int row);

// Cells of the 3 × 3 block around (column, row), itself included, that are off the board,
// closed or not walkable.
int blockedAround(const DemoState& state, int column, int row);

}  // namespace marv
