#include "map/startup/fixed_size.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace marv {
namespace {

// Takes the maximum size off a fixed-size window just before the window system first sees it,
// and keeps it off; the minimum size stays.
class NoMaximumSize : public QObject {
  public:
    explicit NoMaximumSize(QWidget& window) : QObject(&window), window_(window) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_) {
            // The native window exists by then, and may be a new one each time the window is
            // shown again.
            if (event->type() == QEvent::Show) follow(window_.windowHandle());
            // A message box fits itself to its text again on each layout request, which fixes
            // its size anew, and would shrink a maximised box.
            if (event->type() == QEvent::LayoutRequest && lifted_) return true;
        } else if (watched == followed_ && event->type() == QEvent::Show) {
            // Sent after the window's own show event, where a message box fits itself, and
            // before the native window is handed to the window system.
            lift();
        }
        return false;
    }

  private:
    void follow(QWindow* native) {
        if (!native || native == followed_) return;
        followed_ = native;
        native->installEventFilter(this);
    }

    void lift() {
        lifted_ = true;
        window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }

    QWidget& window_;
    QPointer<QWindow> followed_;
    bool lifted_ = false;
};

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace

void offerNoMaximise(QWidget& window) {
    // The flags already name every button the window offers, so clearing one keeps the rest.
    window.setWindowFlags(window.windowFlags() &
                          ~(Qt::WindowMaximizeButtonHint | Qt::WindowFullscreenButtonHint));
    if (onWayland()) keepMaximiseHarmless(window);
}

void keepMaximiseHarmless(QWidget& window) {
    new NoMaximumSize(window);
}

}  // namespace marv
