#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "editor/editor_model.h"
#include "map/expected.h"
#include "map/map_text.h"

namespace marv {

class BoardView;

// The editor's window: the board, a palette of the four tiles and the Borrar and Guardar buttons.
class EditorWindow : public QWidget {
    Q_OBJECT
  public:
    // Edits `values`, which were read from `mapPath`; Guardar writes back there.
    EditorWindow(std::string mapPath, const MapValues& values, QWidget* parent = nullptr);

    // Reads the map at `mapPath` and builds a window for it, or says why it cannot be edited.
    static Expected<std::unique_ptr<EditorWindow>> open(const std::string& mapPath);

    const EditorModel& model() const { return model_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void pressBoard(double x, double y);
    void borrar();
    // False, after telling the user why, when the file could not be written.
    bool guardar();
    void redraw();

    std::string mapPath_;
    EditorModel model_;
    BoardView* board_ = nullptr;
};

}  // namespace marv
