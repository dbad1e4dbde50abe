#include "editor/editor_program.h"

#include <QApplication>
#include <QMessageBox>

#include "editor/editor_window.h"

namespace marv {

int runEditorProgram(const std::string& mapPath) {
    auto window = EditorWindow::open(mapPath);
    if (!window) {
        QMessageBox::critical(nullptr, QStringLiteral("Editor"),
                              QString::fromStdString(window.error()));
        return 1;
    }
    window.value()->show();
    return QApplication::exec();
}

}  // namespace marv
