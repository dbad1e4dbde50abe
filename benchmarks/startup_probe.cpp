// Starts like marvane does, and quits as soon as the window's first paint has been made.
// startup_time.sh times whole runs of it: process start to first shown window.
#include <QApplication>
#include <QEvent>

#include "demo/window/demo_window.h"
#include "map/map_file.h"

namespace {

class FirstPaint : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) QCoreApplication::quit();
        return false;
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const auto values =
        marv::readMapFile(marv::mapPathIn(QCoreApplication::applicationDirPath().toStdString()));
    if (!values) return 1;
    marv::DemoWindow window(values.value());
    FirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    window.show();
    return QApplication::exec();
}
