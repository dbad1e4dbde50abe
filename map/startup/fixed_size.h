#pragma once

class QWidget;

namespace marv {

// Asks the window system to offer no maximise button on `window`, a program window or a message
// box, none of which can change size. Call before the window is shown; its other buttons stay.
void offerNoMaximise(QWidget& window);

}  // namespace marv
