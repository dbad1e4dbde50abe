// Writes both programs' icons as an icon theme's files, <folder>/hicolor/<n>x<n>/apps/<name>.png
// for every size, where <folder> is the only argument. The build runs it, so the installed icons
// are exactly the ones the windows show.

#include <QDir>
#include <QImage>
#include <QString>
#include <cstdio>

#include "map/pictures/picture_set.h"
#include "map/pictures/program_icons.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: %s carpeta\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const auto& builtIn = marv::PictureSet::builtIn();
    if (!builtIn) {
        std::fprintf(stderr, "%s\n", builtIn.error().c_str());
        return 1;
    }
    const marv::PictureSet& pictures = builtIn.value();
    for (const marv::ProgramIcon icon :
         {marv::ProgramIcon::kMarvane, marv::ProgramIcon::kMarvedit}) {
        for (const int side : marv::kIconSizes) {
            const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(side);
            const QString path =
                root.filePath(folder + QStringLiteral("/%1.png").arg(marv::iconName(icon)));
            if (!root.mkpath(folder) || !marv::iconImage(icon, pictures, side).save(path, "PNG")) {
                std::fprintf(stderr, "no se puede escribir %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}
