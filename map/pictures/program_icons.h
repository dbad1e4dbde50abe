#pragma once

#include <QIcon>
#include <QImage>
#include <array>

namespace marv {

class PictureSet;

// The two programs' icons, made from the board pictures so that they always match the board.
enum class ProgramIcon { kMarvane, kMarvedit };

// The square sizes the icons come in, in pixels: the usual desktop icon-theme sizes.
inline constexpr std::array<int, 7> kIconSizes{16, 24, 32, 48, 64, 128, 256};

// The program's name, which is also its icon's name in an icon theme.
const char* iconName(ProgramIcon icon);

// The icon at its natural size: marvane's is the character cut out along its mask on a
// transparent background (20 × 20); marvedit's the four palette tiles, grass and water over
// earth and paving (40 × 40).
QImage iconBase(ProgramIcon icon, const PictureSet& pictures);

// The side × side icon: iconBase grown by the largest whole number that fits, every pixel a
// sharp square, centred on a transparent margin; or, where iconBase is larger than the icon,
// smoothly reduced to fill it.
QImage iconImage(ProgramIcon icon, const PictureSet& pictures, int side);

// Every kIconSizes image of the icon, from the shared picture set; needs a QGuiApplication.
QIcon programIcon(ProgramIcon icon);

}  // namespace marv
