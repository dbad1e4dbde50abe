#include "map/startup/fixed_size.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace marv {
namespace {

bool fillsScreen(Qt::WindowStates states) {
    return states & (Qt::WindowMaximized | Qt::WindowFullScreen);
}

// Lifts the window's size limit as soon as a maximise is asked for, before the compositor
// answers with the maximised size, and sets it back once the compositor has put the window back
// to normal.
class MaximiseGrowth : public QObject {
  public:
    explicit MaximiseGrowth(QWidget& window) : QObject(&window), window_(window) {
        window.installEventFilter(this);
        follow(window.windowHandle());
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_) {
            // The native window exists by the time the window is shown, and may be a new one
            // each time it is shown again.
            if (event->type() == QEvent::Show) follow(window_.windowHandle());
            // A message box fits itself to its text again on each layout request, which would
            // shrink it below the maximised size.
            if (event->type() == QEvent::LayoutRequest && lifted_) return true;
        } else if (watched == followed_ && event->type() == QEvent::WindowStateChange &&
                   !fillsScreen(followed_->windowStates())) {
            // Sent when the window system reports the new state, by then with the normal size.
            restoreLimit();
        }
        return false;
    }

  private:
    void follow(QWindow* native) {
        if (!native || native == followed_) return;
        followed_ = native;
        native->installEventFilter(this);
        // Emitted at once when the title bar asks for the new state, so the limit is gone before
        // the compositor's maximised size arrives.
        connect(native, &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
            if (fillsScreen(state)) liftLimit();
        });
    }

    void liftLimit() {
        if (lifted_) return;
        fixedLimit_ = window_.maximumSize();
        lifted_ = true;
        window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }

    void restoreLimit() {
        if (!lifted_) return;
        lifted_ = false;
        window_.setMaximumSize(fixedLimit_);
        // Lets a message box fit its text again.
        QCoreApplication::postEvent(&window_, new QEvent(QEvent::LayoutRequest));
    }

    QWidget& window_;
    QPointer<QWindow> followed_;
    QSize fixedLimit_;
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
    new MaximiseGrowth(window);
}

}  // namespace marv
