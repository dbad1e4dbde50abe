#pragma once

class QWidget;

namespace marv {

// Asks the window system to offer no maximise button on `window`, a program window or a message
// box, none of which can change size. Call before the window is shown; its other buttons stay.
// X11 window managers read the request; the title bar that Qt 6.4 draws itself on Wayland does
// not, and still shows all three buttons. There a maximise from that title bar grows the window
// instead (keepMaximiseHarmless).
void offerNoMaximise(QWidget& window);

// Lets a maximise, while the window stays maximised, grow the fixed-size `window` to the size the
// compositor gives it: its controls keep their places and the rest shows the window's background.
// Back to normal, the window has its fixed size again. A Wayland compositor may end a program
// whose window does not take the maximised size, and Qt's own title bar maximises whatever the
// window's size limits; nothing else changes.
void keepMaximiseHarmless(QWidget& window);

}  // namespace marv
