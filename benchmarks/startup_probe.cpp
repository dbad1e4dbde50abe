// Starts like marvane does and quits once its first frame has been shown: the first expose of the
// mapped window, painted and flushed to the display while that expose is handled.
// `startup_probe bare` does the same for a bare 400 × 465 window, the floor under any window's
// start-up. startup_time.sh times whole runs of both: process start to first shown frame.
#include <QApplication>
#include <QEvent>
#include <QWindow>
#include <cstring>
#include <memory>

#include "demo/window/demo_window.h"
#include "map/map_file.h"

namespace {

class FirstShownFrame : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && watched->isWindowType() &&
            static_cast<QWindow*>(watched)->isExposed()) {
            // Handling this expose paints the window and flushes its backing store; a queued quit
            // runs only after that has been done.
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return false;
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    FirstShownFrame firstFrame;
    app.installEventFilter(&firstFrame);

    std::unique_ptr<QWidget> window;
    if (argc > 1 && std::strcmp(argv[1], "bare") == 0) {
        window = std::make_unique<QWidget>();
        window->setFixedSize(400, 465);
    } else {
        const auto values = marv::readMapFile(
            marv::mapPathIn(QCoreApplication::applicationDirPath().toStdString()));
        if (!values.ok()) return 1;
        window = std::make_unique<marv::DemoWindow>(values.value());
    }
    window->show();
    return QApplication::exec();
}
