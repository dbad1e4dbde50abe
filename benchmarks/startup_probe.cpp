// Starts a program through its own start-up, programMain (screen scaling, process set-up, its
// folder, the map read with the program's codes, the picture check), and prints the wall-clock
// time, in microseconds since the epoch, at which its first frame has been shown: the first
// expose of the mapped window, painted and flushed to the display while that expose is handled.
// It then leaves at once, so nothing of Qt's teardown is timed. startup_time.sh takes the time
// from the start of the process.
//
//   startup_probe marvane | marvedit            the program, on the mapa.txt beside the probe
//   startup_probe bare-marvane | bare-marvedit  a bare window of that program's size: only an
//                                               application and an empty window, the floor
//   startup_probe text-marvane | text-marvedit  the same window with one text field in it: the
//                                               floor of any window that shows text, which
//                                               pays for setting up the fonts
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "demo/window/demo_program.h"
#include "editor/editor_program.h"

namespace {

class FirstShownFrame : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && watched->isWindowType() &&
            static_cast<QWindow*>(watched)->isExposed()) {
            // Handling this expose paints the window and flushes its backing store; a queued call
            // runs only after that has been done.
            QMetaObject::invokeMethod(qApp, &shown, Qt::QueuedConnection);
        }
        return false;
    }

  private:
    static void shown() {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::printf("%lld\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
        std::fflush(stdout);
        std::_Exit(0);
    }
};

FirstShownFrame firstFrame;

// The program as it starts, with the first-frame watch put on its application as its window is
// made.
marv::ProgramKind watched(const marv::ProgramKind& program) {
    marv::ProgramKind kind = program;
    kind.makeWindow = [program](const marv::MapLocation& map, const marv::MapValues& values) {
        qApp->installEventFilter(&firstFrame);
        return program.makeWindow(map, values);
    };
    return kind;
}

int bareWindow(int argc, char* argv[], QSize size, bool withText) {
    QApplication app(argc, argv);
    app.installEventFilter(&firstFrame);
    QWidget window;
    window.setFixedSize(size);
    if (withText) (new QLineEdit(QStringLiteral("Texto"), &window))->setGeometry(0, 0, 201, 25);
    window.show();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    const char* which = argc > 1 ? argv[1] : "";
    int appArgc = 1;
    if (std::strcmp(which, "marvane") == 0)
        return marv::programMain(appArgc, argv, watched(marv::demoProgram()));
    if (std::strcmp(which, "marvedit") == 0)
        return marv::programMain(appArgc, argv, watched(marv::editorProgram()));
    for (const bool withText : {false, true}) {
        const std::string prefix = withText ? "text-" : "bare-";
        if (which == prefix + "marvane") return bareWindow(appArgc, argv, marv::kDemoWindowFacts.size, withText);
        if (which == prefix + "marvedit") return bareWindow(appArgc, argv, marv::kEditorWindowFacts.size, withText);
    }
    std::fprintf(stderr,
                 "uso: %s marvane | marvedit | bare-marvane | bare-marvedit | text-marvane | "
                 "text-marvedit\n",
                 argv[0]);
    return 2;
}
