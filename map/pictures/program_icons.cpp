#include "map/pictures/program_icons.h"

#include <QPainter>
#include <QPixmap>

#include "map/pictures/picture_set.h"

namespace marv {

const char* iconName(ProgramIcon icon) {
    return icon == ProgramIcon::kMarvane ? "marvane" : "marvedit";
}

QImage iconBase(ProgramIcon icon, const PictureSet& pictures) {
    if (icon == ProgramIcon::kMarvane) {
        const QImage& figure = pictures.imagen(kFiguraPersonaje);
        const QImage& mask = pictures.imagen(kMascaraPersonaje);
        QImage cutOut(kCellPixels, kCellPixels, QImage::Format_ARGB32);
        cutOut.fill(Qt::transparent);
        // The board shows the figure where the mask is black; the rest of the picture is the
        // white it was drawn on.
        for (int y = 0; y < kCellPixels; ++y)
            for (int x = 0; x < kCellPixels; ++x)
                if (qGray(mask.pixel(x, y)) < 128) cutOut.setPixel(x, y, figure.pixel(x, y));
        return cutOut;
    }
    QImage tiles(2 * kCellPixels, 2 * kCellPixels, QImage::Format_ARGB32);
    QPainter painter(&tiles);
    painter.drawImage(0, 0, pictures.imagen(kPasto));
    painter.drawImage(kCellPixels, 0, pictures.imagen(kAgua));
    painter.drawImage(0, kCellPixels, pictures.imagen(kTierra));
    painter.drawImage(kCellPixels, kCellPixels, pictures.imagen(kAdoquin));
    return tiles;
}

QImage iconImage(ProgramIcon icon, const PictureSet& pictures, int side) {
    const QImage base = iconBase(icon, pictures).convertToFormat(QImage::Format_ARGB32);
    const int times = side / base.width();
    if (times == 0) {
        // Averaged with premultiplied colours, so the transparent pixels add no colour of their
        // own.
        return base.convertToFormat(QImage::Format_ARGB32_Premultiplied)
            .scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_ARGB32);
    }
    QImage result(side, side, QImage::Format_ARGB32);
    result.fill(Qt::transparent);
    const int grown = times * base.width();
    const int margin = (side - grown) / 2;
    QPainter(&result).drawImage(
        margin, margin, base.scaled(grown, grown, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    return result;
}

QIcon programIcon(ProgramIcon icon) {
    QIcon result;
    for (int side : kIconSizes)
        result.addPixmap(QPixmap::fromImage(iconImage(icon, PictureSet::shared(), side)));
    return result;
}

}  // namespace marv
