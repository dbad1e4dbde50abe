// Renders the README's pictures from the real windows, offscreen, driven by the same clicks a
// user makes:
//   make_screens <map file> <output folder>
// writes marvane_start.png, marvane_searching.png, marvane_path.png, marvane_cell_data.png,
// marvane_walking.png and marvedit_painting.png. The pictures follow the map and the window
// classes, so they are made again (scripts/docs_pictures.sh) whenever either changes.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>

#include "demo/window/demo_window.h"
#include "editor/editor_window.h"
#include "map/board/board_view.h"
#include "map/map_file.h"

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

// The board's drawing area starts inside its 2-pixel border.
QPoint cellCentre(Cell cell) {
    return {2 + cell.column * kCellPixels + kCellPixels / 2,
            2 + cell.row * kCellPixels + kCellPixels / 2};
}

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

// Calls back on every paint of a widget, after counting it.
class PaintWatch : public QObject {
  public:
    PaintWatch(QWidget* widget, std::function<void(int)> onPaint) : onPaint_(std::move(onPaint)) {
        widget->installEventFilter(this);
    }
    int count() const { return count_; }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        ++count_;
        if (onPaint_) onPaint_(count_);
        return false;
    }

  private:
    std::function<void(int)> onPaint_;
    int count_ = 0;
};

void showAndWait(QWidget& window) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) fail("la ventana no llega a mostrarse");
}

std::unique_ptr<DemoWindow> openDemo(const MapValues& values) {
    auto window = std::make_unique<DemoWindow>(values);
    // A watched search is paced for the eye; here every step is caught by its repaint instead.
    window->setStepPeriodMs(0);
    showAndWait(*window);
    return window;
}

// A left click on the destination, which runs the whole watched search before it returns.
void search(DemoWindow& window) {
    QTest::mouseClick(window.board(), Qt::LeftButton, {}, cellCentre(kDestination));
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
    QTest::mouseClick(window.board(), Qt::RightButton, {}, cellCentre(cell));
    if (composed.isNull()) fail("el clic derecho no abre el recuadro de datos de la casilla");
    return composed;
}

void demoPictures(const MapValues& values, const Output& out) {
    int searchPaints = 0;
    {
        auto window = openDemo(values);
        out.save(window->grab().toImage(), "marvane_start.png");

        const PaintWatch paints(window->board(), {});
        search(*window);
        searchPaints = paints.count();
        out.save(window->grab().toImage(), "marvane_path.png");

        out.save(grabCellData(*window, middleOfPath(window->demo().state())),
                 "marvane_cell_data.png");
    }

    // The same search once more, caught at the repaint halfway through it. The grab waits for
    // the search's next turn at the event loop, outside the repaint.
    auto window = openDemo(values);
    QImage halfway;
    const PaintWatch paints(window->board(), [&](int count) {
        if (count == searchPaints / 2)
            QTimer::singleShot(0, window.get(), [&] { halfway = window->grab().toImage(); });
    });
    search(*window);
    out.save(halfway, "marvane_searching.png");

    // Its walk, caught at the tick that brings the character halfway.
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("ir")), Qt::LeftButton);
    const int steps = static_cast<int>(window->demo().state().rutaPasos.size() / 2);
    QImage walking;
    int ticks = 0;
    QEventLoop loop;
    QObject::connect(&window->walkTimer(), &QTimer::timeout, &loop, [&] {
        if (++ticks < steps / 2) return;
        walking = window->grab().toImage();
        loop.quit();
    });
    QTimer::singleShot(kGiveUpMs, &loop, &QEventLoop::quit);
    loop.exec();
    out.save(walking, "marvane_walking.png");
}

// The editor cleared with Borrar, then the sample map painted into it in reading order, one
// click a cell, choosing from the palette whenever the tile changes.
void editorPicture(const MapValues& values, const Output& out) {
    // Guardar is never clicked, but the window only ever knows a scratch path to save to.
    const QTemporaryDir scratch;
    EditorWindow window(mapPathIn(scratch.path().toStdString()), values);
    showAndWait(window);
    const auto click = [&window](const QString& name) {
        auto* widget = window.findChild<QWidget*>(name);
        if (!widget) fail("el editor no tiene " + name.toStdString());
        QTest::mouseClick(widget, Qt::LeftButton);
    };
    click(QStringLiteral("borrar"));
    auto* board = window.findChild<BoardView*>(QStringLiteral("mainpic"));
    int chosen = -1;
    for (int row = 0; row < kRowsPainted; ++row) {
        for (int column = 0; column <= kLastIndex; ++column) {
            const std::int16_t code = values[row * kBoardCells + column].code;
            if (code == 0) continue;
            if (code != chosen) click(QStringLiteral("imagen%1").arg(code));
            chosen = code;
            QTest::mouseClick(board, Qt::LeftButton, {}, cellCentre({column, row}));
        }
    }
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
    const auto values = marv::readMapFile(argv[1]);
    if (!values) {
        std::fprintf(stderr, "%s\n", values.error().c_str());
        return 1;
    }
    try {
        const marv::Output out(QString::fromLocal8Bit(argv[2]));
        marv::demoPictures(values.value(), out);
        marv::editorPicture(values.value(), out);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
