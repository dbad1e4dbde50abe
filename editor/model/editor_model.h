#pragma once

#include <cstdint>
#include <string>

#include "map/core/board_geometry.h"
#include "map/core/expected.h"
#include "map/core/map_location.h"
#include "map/core/map_text.h"

namespace marv {

// The editor's state and rules, free of any toolkit: the board being edited, the tile that a
// press paints, and whether the board holds changes the file does not.
class EditorModel {
  public:
    // An all-grass board with nothing to save.
    EditorModel() = default;
    explicit EditorModel(const MapValues& values) { load(values); }

    // Takes the codes of a map just read; the board then matches the file.
    void load(const MapValues& values);

    const CodeGrid& mapa() const { return mapa_; }
    std::int16_t at(Cell cell) const { return mapa_[cell.column][cell.row]; }
    std::int16_t tileActual() const { return tileActual_; }
    bool modified() const { return modified_; }

    // Only codes the editor has a picture for; any other keeps the current choice.
    bool chooseTile(std::int16_t code);

    // Puts tileActual in the cell; a cell off the board is ignored. True if the board changed.
    bool paint(Cell cell);

    // Turns the whole board to grass. The chosen tile and the file stay as they are.
    void borrar();

    // Writes the board to `path` as writeMapFile does: the old file is replaced whole or rewritten
    // in place, and left as it was when the save fails. On failure the message says why, and the
    // board still counts as unsaved.
    Status save(const std::string& path);
    // The same into `map.save`, first making its folder where it is missing (makeMapFolder).
    Status save(const MapLocation& map);

  private:
    CodeGrid mapa_{};
    std::int16_t tileActual_ = 0;
    // Set only by an actual change, so a press that repaints a cell with its own tile, or a
    // choice on the palette, never makes closing ask.
    bool modified_ = false;
};

}  // namespace marv
