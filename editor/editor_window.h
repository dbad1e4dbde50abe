#pragma once

#include <QWidget>
#include <string>

#include "editor/model/editor_model.h"
#include "map/core/drawn_cells.h"
#include "map/core/map_text.h"

namespace marv {

class BoardView;

// The editor's window: the board, a palette of the four tiles and the Borrar and Guardar buttons.
class EditorWindow : public QWidget {
    Q_OBJECT
  public:
    // The window's caption, which its message boxes carry too.
    static constexpr const char* kCaption = "Editor";

    // Edits `values`, which were read from `mapPath`; Guardar writes back there.
    EditorWindow(std::string mapPath, const MapValues& values, QWidget* parent = nullptr);

    const EditorModel& model() const { return model_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void pressBoard(double x, double y);
    void borrar();
    // False, after telling the user why, when the file could not be written.
    bool guardar();
    // Repaints the cells whose tile changed since the last call.
    void dibujar();

    std::string mapPath_;
    EditorModel model_;
    BoardView* board_ = nullptr;
    DrawnCells drawn_;
};

}  // namespace marv
