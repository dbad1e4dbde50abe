#include "editor/model/editor_model.h"

#include "map/core/map_file.h"
#include "map/core/tile_codes.h"

namespace marv {

void EditorModel::load(const MapValues& values) {
    mapa_ = codesOf(values);
    modified_ = false;
}

bool EditorModel::chooseTile(std::int16_t code) {
    if (!kEditorCodes.canDraw(code)) return false;
    tileActual_ = code;
    return true;
}

bool EditorModel::paint(Cell cell) {
    if (!isOnBoard(cell)) return false;
    std::int16_t& code = mapa_[cell.column][cell.row];
    if (code == tileActual_) return false;
    code = tileActual_;
    modified_ = true;
    return true;
}

void EditorModel::borrar() {
    forEachCell([this](Cell cell) {
        std::int16_t& code = mapa_[cell.column][cell.row];
        if (code != 0) {
            code = 0;
            modified_ = true;
        }
    });
}

Status EditorModel::save(const std::string& path) {
    Status saved = writeMapFile(path, mapa_);
    if (saved) modified_ = false;
    return saved;
}

Status EditorModel::save(const MapLocation& map) {
    if (Status made = makeMapFolder(map); !made) return made;
    return save(map.save);
}

}  // namespace marv
