#pragma once

#include <QImage>
#include <QString>
#include <array>

#include "map/core/board_geometry.h"
#include "map/core/expected.h"

namespace marv {

// Indices of the nine board pictures.
inline constexpr int kPasto = 0;
inline constexpr int kAgua = 1;
inline constexpr int kFiguraPersonaje = 2;
inline constexpr int kMarcoAbierto = 3;
inline constexpr int kMascaraMarco = 4;
inline constexpr int kMarcoCerrado = 5;
inline constexpr int kMascaraPersonaje = 6;
inline constexpr int kTierra = 7;
inline constexpr int kAdoquin = 8;

// Every picture and board image is opaque 32-bit in the format the raster engine composes
// natively: its raster operations run about a fifth fewer instructions than on plain RGB32.
inline constexpr QImage::Format kBoardImageFormat = QImage::Format_ARGB32_Premultiplied;

// The nine board pictures, each kCellPixels square, held in kBoardImageFormat.
class PictureSet {
  public:
    static constexpr int kCount = 9;

    // Loads imagen0.png … imagen8.png from `folder`, a resource path or a directory; fails naming
    // the first picture that is missing or not 20 × 20.
    static Expected<PictureSet> load(const QString& folder);

    // The pictures built into the program (":/pictures"), loaded on first use. Loading a QImage
    // needs no application object, so tools and tests without one may call it too. The start-up
    // checks it before any window is made.
    static const Expected<PictureSet>& builtIn();
    // The built-in set, once the start-up has found it loads.
    static const PictureSet& shared() { return builtIn().value(); }

    // `index` in 0 … kCount - 1; throws std::out_of_range otherwise.
    const QImage& imagen(int index) const;

  private:
    PictureSet() = default;
    std::array<QImage, kCount> images_;
};

}  // namespace marv
