#pragma once

#include <cstdint>

#include "demo/search/demo_state.h"
#include "demo/search/window_ops.h"
#include "map/core/map_text.h"

namespace marv {

// One A* step on the node (actX, actY): opens or re-parents the walkable, unclosed cells of its
// 3 × 3 block and counts the rejected ones in rechazados.
void expandir(DemoState& state);

// The demonstration's behaviour: its handlers and the routines they share. The window owns one,
// routes its events here and carries out the operations it is asked for.
class Demo {
  public:
    explicit Demo(WindowOps& window) : window_(window) {}

    const DemoState& state() const { return state_; }
    DemoState& state() { return state_; }

    // Fills the grid from the map's 400 values, puts the character on (0, 0) and draws.
    void load(const MapValues& values);

    // A click on the reiniciar button: reiniciar, unless a search is running, whose parent links
    // it would cut.
    void clickReiniciar();

    // Runs a whole search from the character to (x, y). Refused while a search runs, and for the
    // character's cell and the current destination.
    void buscar(int x, int y);

    // Starts, or restarts, the walk along the last path found.
    void startWalk();
    // One step of the walk.
    void walkStep();

    // A press on the board at pixel (x, y) of its drawing area: places the character (left,
    // personaje ticked), searches (left) or reports the cell's search data (right).
    void pressBoard(int button, double x, double y, bool personajeTicked);

  private:
    void reiniciar();
    void placeCharacter(int column, int row);
    void reportCell(int column, int row);
    void chooseNextNode();
    bool anyCellOpen() const;
    void buildPath();

    WindowOps& window_;
    DemoState state_;
};

}  // namespace marv
