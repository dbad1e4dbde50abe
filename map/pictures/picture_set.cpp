#include "map/pictures/picture_set.h"

#include <QDir>
#include <string>

namespace marv {

Expected<PictureSet> PictureSet::load(const QString& folder) {
    const QDir dir(folder);
    PictureSet set;
    for (int i = 0; i < kCount; ++i) {
        const QString path = dir.filePath(QStringLiteral("imagen%1.png").arg(i));
        QImage image(path);
        if (image.isNull()) {
            return Expected<PictureSet>::failure("no se puede cargar la imagen " +
                                                 path.toStdString());
        }
        if (image.width() != kCellPixels || image.height() != kCellPixels) {
            return Expected<PictureSet>::failure(
                "la imagen " + path.toStdString() + " mide " + std::to_string(image.width()) +
                " × " + std::to_string(image.height()) + " en vez de 20 × 20");
        }
        // The board's raster operations work on whole 32-bit pixels; a fixed format keeps
        // them exact whatever format the PNG decoder chose.
        set.images_[static_cast<std::size_t>(i)] = image.convertToFormat(kBoardImageFormat);
    }
    return set;
}

const Expected<PictureSet>& PictureSet::builtIn() {
    static const Expected<PictureSet> instance = load(QStringLiteral(":/pictures"));
    return instance;
}

const QImage& PictureSet::imagen(int index) const {
    return images_.at(static_cast<std::size_t>(index));
}

}  // namespace marv
