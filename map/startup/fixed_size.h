#pragma once

class QWidget;

namespace marv {

// Asks the window system to offer no maximise button on `window`, a program window or a message
// box, each of a fixed size. Call before the window is shown; its other buttons stay.
// X11 window managers read the request; the title bar that Qt 6.4 draws itself on Wayland does
// not, and still shows all three buttons: there the maximum size is taken off instead
// (keepMaximiseHarmless).
void offerNoMaximise(QWidget& window);

// Takes the maximum size off the fixed-size `window` once it is shown; its minimum, its size
// and its controls' places stay. A Wayland compositor ends a program whose window does not take
// the size it gives a maximised or full-screen window, and both Qt's own title bar and the
// compositor's key bindings maximise whatever the window's size limits. A maximised window
// then shows its controls where they were on a plain background, and returns to its own size
// when restored.
void keepMaximiseHarmless(QWidget& window);

}  // namespace marv
