// Renders the README's pictures from the real windows, offscreen, driven by the same clicks a
// user makes:
//   make_screens <map file> <output folder>
// writes marvane_start.png, marvane_searching.png, marvane_path.png, marvane_cell_data.png,
// marvane_walking.png and marvedit_painting.png. The pictures follow the map and the window
// classes, so they are made again (scripts/docs_pictures.sh) whenever either changes.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>

#include "demo/window/demo_program.h"
#include "demo/window/demo_window.h"
#include "editor/editor_program.h"
#include "editor/editor_window.h"
#include "map/board/board_view.h"
#include "map/core/map_file.h"
#include "tests/support/program_window.h"
#include "tests/support/window_tools.h"

namespace marv {
namespace {

// The searched cell: from the character's start at the top left, across the only bridge and
// round the pond, so the search spreads over much of the board.
constexpr Cell kDestination{5, 17};
// How far down the sample map the editor's picture has got with its painting.
constexpr int kRowsPainted = 13;
// Bounds a wait for the windows' own events, so that a broken window fails instead of hanging.
constexpr int kGiveUpMs = 20000;

[[noreturn]] void fail(const std::string& why) {
    throw std::runtime_error(why);
}

using testing::cellCentre;
using testing::PaintCounter;

class Output {
  public:
    explicit Output(const QString& folder) : folder_(folder) {
        if (!folder_.mkpath(QStringLiteral("."))) fail("no se puede crear " + folder.toStdString());
    }
    void save(const QImage& image, const char* name) const {
        const QString path = folder_.filePath(QString::fromLatin1(name));
        // All of one kind, opaque RGB, whatever each grab came as.
        if (image.isNull() || !image.convertToFormat(QImage::Format_RGB32).save(path, "PNG"))
            fail("no se puede escribir " + path.toStdString());
        std::printf("%s\n", qPrintable(path));
    }

  private:
    QDir folder_;
};

void showAndWait(QWidget& window) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) fail("la ventana no llega a mostrarse");
}

// The program's window on a scratch copy of the map at `mapPath`, opened as the program opens it,
// or a failure. Guardar is never clicked, but the window never knows the map itself.
template <class W>
std::unique_ptr<testing::WindowOnMap<W>> openWindow(const ProgramKind& kind,
                                                    const std::string& mapPath) {
    QFile map(QString::fromStdString(mapPath));
    if (!map.open(QIODevice::ReadOnly)) fail("no se puede leer " + mapPath);
    auto opened = std::make_unique<testing::WindowOnMap<W>>(kind, map.readAll().toStdString());
    if (!opened->window) fail(opened->error);
    showAndWait(*opened->window);
    return opened;
}

std::unique_ptr<testing::WindowOnMap<DemoWindow>> openDemo(const std::string& mapPath) {
    auto opened = openWindow<DemoWindow>(demoProgram(), mapPath);
    // A watched search is paced for the eye; here every step is caught by its repaint instead.
    opened->window->setStepPeriodMs(0);
    return opened;
}

// A left click on the destination, which runs the whole watched search before it returns.
void search(DemoWindow& window) {
    QTest::mouseClick(window.board(), Qt::LeftButton, {}, cellCentre(window.board(), kDestination));
    if (window.demo().state().encontrado != kTrue) fail("la búsqueda no encuentra el destino");
}

// The cell halfway along the path found last.
Cell middleOfPath(const DemoState& state) {
    std::vector<int> numbers;
    for (const auto& piece : QString::fromStdString(state.ruta).split(QLatin1Char(',')))
        numbers.push_back(piece.toInt());
    const std::size_t middle = numbers.size() / 4 * 2;
    return {numbers.at(middle), numbers.at(middle + 1)};
}

// The cell-data box is a window of its own: its grab goes over the demonstration's grab, where
// the box stands on the screen.
QImage grabCellData(DemoWindow& window, Cell cell) {
    QImage composed;
    int waits = 0;
    std::function<void()> grabBox = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            if (++waits * 10 < kGiveUpMs) QTimer::singleShot(10, grabBox);
            return;
        }
        const QImage under = window.grab().toImage();
        const QImage over = box->grab().toImage();
        const QPoint at = window.mapFromGlobal(box->mapToGlobal(QPoint(0, 0)));
        const QRect area = window.rect().united(QRect(at, over.size()));
        composed = QImage(area.size(), QImage::Format_RGB32);
        composed.fill(window.palette().color(QPalette::Window));
        QPainter painter(&composed);
        painter.drawImage(-area.topLeft(), under);
        painter.drawImage(at - area.topLeft(), over);
        box->accept();
    };
    QTimer::singleShot(0, grabBox);
    QTest::mouseClick(window.board(), Qt::RightButton, {}, cellCentre(window.board(), cell));
    if (composed.isNull()) fail("el clic derecho no abre el recuadro de datos de la casilla");
    return composed;
}

void demoPictures(const std::string& mapPath, const Output& out) {
    int searchPaints = 0;
    {
        const auto opened = openDemo(mapPath);
        DemoWindow* window = opened->window.get();
        out.save(window->grab().toImage(), "marvane_start.png");

        const PaintCounter paints(window->board());
        search(*window);
        searchPaints = paints.count();
        out.save(window->grab().toImage(), "marvane_path.png");

        out.save(grabCellData(*window, middleOfPath(window->demo().state())),
                 "marvane_cell_data.png");
    }

    // The same search once more, caught at the repaint halfway through it. The grab waits for
    // the search's next turn at the event loop, outside the repaint.
    const auto opened = openDemo(mapPath);
    DemoWindow* window = opened->window.get();
    QImage halfway;
    const PaintCounter paints(window->board(), [&](int count) {
        if (count == searchPaints / 2)
            QTimer::singleShot(0, window, [&] { halfway = window->grab().toImage(); });
    });
    search(*window);
    out.save(halfway, "marvane_searching.png");

    // Its walk, caught at the tick that brings the character halfway; the ticks are given
    // straight to the demonstration, as the walk's timer gives them.
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("ir")), Qt::LeftButton);
    const int steps = static_cast<int>(window->demo().state().rutaPasos.size() / 2);
    for (int tick = 0; tick < steps / 2; ++tick) window->demo().walkStep();
    if (!window->walking()) fail("el personaje no camina");
    out.save(window->grab().toImage(), "marvane_walking.png");
}

// The editor cleared with Borrar, then the sample map painted into it in reading order, one
// click a cell, choosing from the palette whenever the tile changes.
void editorPicture(const std::string& mapPath, const Output& out) {
    const auto opened = openWindow<EditorWindow>(editorProgram(), mapPath);
    EditorWindow& window = *opened->window;
    const auto click = [&window](const QString& name) {
        auto* widget = window.findChild<QWidget*>(name);
        if (!widget) fail("el editor no tiene " + name.toStdString());
        QTest::mouseClick(widget, Qt::LeftButton);
    };
    const CodeGrid codes = window.model().mapa();
    click(QStringLiteral("borrar"));
    auto* board = window.findChild<BoardView*>(QStringLiteral("mainpic"));
    int chosen = -1;
    forEachCell([&](Cell cell) {
        const std::int16_t code = codes[cell.column][cell.row];
        if (cell.row >= kRowsPainted || code == 0) return;
        if (code != chosen) click(QStringLiteral("imagen%1").arg(code));
        chosen = code;
        QTest::mouseClick(board, Qt::LeftButton, {}, cellCentre(board, cell));
    });
    out.save(window.grab().toImage(), "marvedit_painting.png");
}

}  // namespace
}  // namespace marv

int main(int argc, char* argv[]) {
    // Pictures of the windows alone, the same on any machine.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "uso: %s mapa.txt carpeta\n", argv[0]);
        return 2;
    }
    try {
        const marv::Output out(QString::fromLocal8Bit(argv[2]));
        marv::demoPictures(argv[1], out);
        marv::editorPicture(argv[1], out);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
