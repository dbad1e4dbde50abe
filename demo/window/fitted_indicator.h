#pragma once

class QCheckBox;

namespace marv {

// Draws the box's tick indicator small enough to fit inside it with all four edges, in the
// application's style otherwise. The style's usual indicator is taller than `personaje`.
void fitIndicatorToBox(QCheckBox& box);

}  // namespace marv
