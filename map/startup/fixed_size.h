#pragma once

class QWidget;

namespace marv {

// Asks the window system to offer no maximise button on `window`, a program window or a message
// box, none of which can change size. Call before the window is shown; its other buttons stay.
// X11 window managers read the request; the title bar that Qt 6.4 draws itself on Wayland does
// not, and still shows all three buttons.
void offerNoMaximise(QWidget& window);

}  // namespace marv
