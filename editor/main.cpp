#include <QApplication>
#include <QFile>

#include "editor/editor_program.h"
#include "map/map_file.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QByteArray folder = QFile::encodeName(QCoreApplication::applicationDirPath());
    return marv::runEditorProgram(marv::mapPathIn(folder.toStdString()));
}
