#pragma once

#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "editor/model/editor_model.h"
#include "map/core/drawn_cells.h"
#include "map/core/map_location.h"
#include "map/core/map_text.h"

namespace marv {

class BoardView;

// The editor's window: the board, a palette of the four tiles and the Borrar and Guardar buttons.
class EditorWindow : public QWidget {
    Q_OBJECT
  public:
    // Edits `values`, which were read from `map.read`; Guardar writes to `map.save`.
    EditorWindow(MapLocation map, const MapValues& values, QWidget* parent = nullptr);

    const EditorModel& model() const { return model_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void chooseTile(int index);
    // Tells assistive technologies which palette entry is chosen; the screen shows no mark.
    void markChosenEntry();
    void pressBoard(double x, double y);
    void borrar();
    // False, after telling the user why, when the file could not be written.
    bool guardar();
    // Repaints the cells whose tile changed since the last call.
    void dibujar();

    MapLocation map_;
    EditorModel model_;
    BoardView* board_ = nullptr;
    // Each palette entry with its tile code.
    std::vector<std::pair<int, QWidget*>> paletteEntries_;
    DrawnCells drawn_;
};

}  // namespace marv
