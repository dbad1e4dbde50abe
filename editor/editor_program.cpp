#include "editor/editor_program.h"

#include "editor/editor_window.h"

namespace marv {

const ProgramKind& editorProgram() {
    static const ProgramKind kind{
        QStringLiteral("marvedit"), kEditorWindowFacts, kEditorCodes,
        [](const MapLocation& map, const MapValues& values) -> std::unique_ptr<QWidget> {
            return std::make_unique<EditorWindow>(map, values);
        }};
    return kind;
}

int runEditorProgram(const std::string& mapPath) {
    return runProgram(editorProgram(), mapPath);
}

}  // namespace marv
