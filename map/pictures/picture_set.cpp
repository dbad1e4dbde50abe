#include "map/pictures/picture_set.h"

#include <QDir>
#include <stdexcept>
#include <string>

namespace marv {

PictureSet::PictureSet() : PictureSet(QStringLiteral(":/pictures")) {}

PictureSet::PictureSet(const QString& folder) {
    const QDir dir(folder);
    for (int i = 0; i < kCount; ++i) {
        const QString path = dir.filePath(QStringLiteral("imagen%1.png").arg(i));
        QImage image(path);
        if (image.isNull())
            throw std::runtime_error("no se puede cargar la imagen " + path.toStdString());
        if (image.width() != kSide || image.height() != kSide)
            throw std::runtime_error("la imagen " + path.toStdString() + " mide " +
                                     std::to_string(image.width()) + " × " +
                                     std::to_string(image.height()) + " en vez de 20 × 20");
        // The board's raster operations work on whole 32-bit pixels; a fixed format keeps
        // them exact whatever format the PNG decoder chose.
        images_[static_cast<std::size_t>(i)] = image.convertToFormat(kBoardImageFormat);
    }
}

const QImage& PictureSet::imagen(int index) const {
    return images_.at(static_cast<std::size_t>(index));
}

const PictureSet& PictureSet::shared() {
    static const PictureSet instance;
    return instance;
}

}  // namespace marv
