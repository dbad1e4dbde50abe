#include "map/startup/window_facts.h"

#include <QWidget>

#include "map/startup/fixed_size.h"

namespace marv {

void WindowFacts::applyTo(QWidget& window) const {
    window.setWindowTitle(QString::fromUtf8(title));
    window.setWindowIcon(programIcon(icon));
    window.setFixedSize(size);
    offerNoMaximise(window);
    QFont small = window.font();
    small.setPixelSize(fontPixels);
    window.setFont(small);
}

}  // namespace marv
