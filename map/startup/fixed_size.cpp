#include "map/startup/fixed_size.h"

#include <QWidget>

namespace marv {

void offerNoMaximise(QWidget& window) {
    // The flags already name every button the window offers, so clearing one keeps the rest.
    window.setWindowFlags(window.windowFlags() &
                          ~(Qt::WindowMaximizeButtonHint | Qt::WindowFullscreenButtonHint));
}

}  // namespace marv
