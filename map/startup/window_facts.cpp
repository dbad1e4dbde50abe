#include "map/startup/window_facts.h"

#include <QWidget>

namespace marv {

void WindowFacts::applyTo(QWidget& window) const {
    window.setWindowTitle(QString::fromUtf8(title));
    window.setWindowIcon(programIcon(icon));
    window.setFixedSize(size);
    QFont small = window.font();
    small.setPixelSize(fontPixels);
    window.setFont(small);
}

}  // namespace marv
