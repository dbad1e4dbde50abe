#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "demo/window/demo_program.h"
#include "demo/window/demo_window.h"
#include "map/board/board_view.h"
#include "map/map_file.h"
#include "map/pictures/picture_set.h"

using namespace marv;

namespace {

// A board as text, one string a row: '.' grass, '#' water, 't' earth, 'p' paving.
std::string mapText(std::initializer_list<const char*> rows) {
    std::string text;
    std::vector<std::string> lines(rows.begin(), rows.end());
    lines.resize(20);
    for (auto& line : lines) {
        line.resize(20, '.');
        for (char c : line)
            text += std::string(c == '#' ? "1" : c == 't' ? "7" : c == 'p' ? "8" : "0") + ",";
    }
    return text;
}

MapValues mapValues(std::initializer_list<const char*> rows) {
    return parseMapText(mapText(rows), "mapa.txt").value();
}

// The board's drawing area starts inside its 2-pixel border.
QPoint cellCentre(int column, int row) {
    return {2 + column * 20 + 10, 2 + row * 20 + 10};
}

// Answers the next modal box with OK once it shows, keeping its text.
void closeNextBox(QString* text = nullptr) {
    QTimer::singleShot(0, [text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return closeNextBox(text);
        if (text) *text = box->text();
        box->accept();
    });
}

QRgb expectedMasked(QRgb under, QRgb mask, QRgb figure) {
    return ((under | ~mask) & figure) | 0xff000000u;
}

// True when the 20 × 20 cell of `board` shows `tile` with the figure stamped through the mask.
bool cellShows(const QImage& board, int column, int row, const QImage& tile, const QImage& mask,
               const QImage& figure) {
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const QRgb want =
                expectedMasked(tile.pixel(x, y), mask.pixel(x, y), figure.pixel(x, y));
            if (board.pixel(column * 20 + x, row * 20 + y) != want) return false;
        }
    return true;
}

class DemoWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DemoWindow> window;

    QString text1() const { return window->findChild<QLineEdit*>("Text1")->text(); }
    void press(Qt::MouseButton button, int column, int row) {
        QTest::mouseClick(window->board(), button, {}, cellCentre(column, row));
    }
    void tick(const char* name, bool on) { window->findChild<QCheckBox*>(name)->setChecked(on); }
    void click(const char* name) {
        QTest::mouseClick(window->findChild<QPushButton*>(name), Qt::LeftButton);
    }
    Cell position() const { return {window->demo().state().posX, window->demo().state().posY}; }
    const PictureSet& pictures() const { return PictureSet::shared(); }

  private slots:
    void init() {
        window = std::make_unique<DemoWindow>(mapValues({"", "", "", "", "", "......#"}));
        window->setStepPeriodMs(0);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { window.reset(); }

    void windowHasItsCaptionSizeAndControls() {
        QCOMPARE(window->windowTitle(), QString("marvane A*"));
        QCOMPARE(window->size(), QSize(400, 465));
        QCOMPARE(window->board()->geometry(), QRect(0, 0, 400, 400));
        QCOMPARE(window->board()->contentsRect(), QRect(2, 2, 396, 396));
        QCOMPARE(window->findChild<QWidget*>("Text1")->geometry(), QRect(0, 408, 201, 25));
        QCOMPARE(window->findChild<QWidget*>("Text2")->geometry(), QRect(0, 440, 201, 19));
        QCOMPARE(window->findChild<QPushButton*>("reiniciar")->text(), QString("Reiniciar"));
        QCOMPARE(window->findChild<QWidget*>("reiniciar")->geometry(), QRect(208, 408, 57, 17));
        QCOMPARE(window->findChild<QCheckBox*>("CheckIr")->text(), QString("Ir con Click"));
        QCOMPARE(window->findChild<QWidget*>("CheckIr")->geometry(), QRect(280, 408, 81, 17));
        QCOMPARE(window->findChild<QWidget*>("personaje")->geometry(), QRect(240, 440, 17, 13));
        QCOMPARE(window->findChild<QPushButton*>("ir")->text(), QString("Ir a Destino"));
        QCOMPARE(window->findChild<QWidget*>("ir")->geometry(), QRect(272, 440, 73, 17));
        QCOMPARE(window->findChild<QWidget*>("imagen2")->geometry(), QRect(208, 432, 24, 24));
        QVERIFY(!window->walking());
        QCOMPARE(window->walkTimer().interval(), 50);
    }

    void startShowsTheTilesAndTheCharacterOnTheFirstCell() {
        const QImage& board = window->board()->image();
        QVERIFY(cellShows(board, 0, 0, pictures().imagen(0), pictures().imagen(6),
                          pictures().imagen(2)));
        QCOMPARE(board.copy(120, 100, 20, 20), pictures().imagen(1));
        QCOMPARE(board.copy(40, 40, 20, 20), pictures().imagen(0));
    }

    void aSearchWritesItsResultAndMarksTheBoard() {
        // From (0, 0) to (7, 5) round the water at (6, 5).
        press(Qt::LeftButton, 7, 5);
        QCOMPARE(text1(), QString("Encontrado: 7 pasos"));
        const DemoState& s = window->demo().state();
        QCOMPARE(s.mostrarBusqueda, kTrue);
        const QImage& board = window->board()->image();
        const QImage& grass = pictures().imagen(0);
        // A closed cell off the path, an open cell, a path cell: each shows its mark over grass.
        int closedOff = 0, open = 0;
        for (int x = 0; x < 20; ++x)
            for (int y = 0; y < 20; ++y) {
                const Celda& c = s.celda(x, y);
                if (c.cerrado == kTrue && c.enCamino == 0 && c.tipo == 0 && !(x == 0 && y == 0)) {
                    QVERIFY(
                        cellShows(board, x, y, grass, pictures().imagen(4), pictures().imagen(5)));
                    ++closedOff;
                }
                if (c.abierto == kTrue && c.tipo == 0) {
                    QVERIFY(
                        cellShows(board, x, y, grass, pictures().imagen(4), pictures().imagen(3)));
                    ++open;
                }
            }
        QVERIFY(closedOff > 0);
        QVERIFY(open > 0);
        QVERIFY(s.celda(7, 5).enCamino == kTrue);
        QImage closedGrass = grass.copy();
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                closedGrass.setPixel(
                    x, y,
                    expectedMasked(grass.pixel(x, y), pictures().imagen(4).pixel(x, y),
                                   pictures().imagen(5).pixel(x, y)));
        QVERIFY(cellShows(board, 7, 5, closedGrass, pictures().imagen(6), pictures().imagen(2)));
    }

    void everyStepOfAWatchedSearchReachesTheScreen() {
        int paints = 0;
        struct PaintCounter : QObject {
            int* count;
            explicit PaintCounter(int* c) : count(c) {}
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Paint) ++*count;
                return false;
            }
        } counter(&paints);
        window->board()->installEventFilter(&counter);
        press(Qt::LeftButton, 12, 0);  // 12 steps along row 0
        QCOMPARE(text1(), QString("Encontrado: 12 pasos"));
        QVERIFY2(paints >= 12, qPrintable(QString::number(paints)));
    }

    void checkIrTickedWalksToTheDestinationInKPlusOneTicks() {
        tick("CheckIr", true);
        QSignalSpy ticks(&window->walkTimer(), &QTimer::timeout);
        press(Qt::LeftButton, 4, 0);
        QCOMPARE(text1(), QString("Encontrado: 4 pasos"));
        QCOMPARE(window->demo().state().mostrarBusqueda, kFalse);
        QVERIFY(window->walking());
        QTRY_VERIFY_WITH_TIMEOUT(!window->walking(), 5000);
        QCOMPARE(ticks.count(), 5);
        QCOMPARE(position(), (Cell{4, 0}));
    }

    void irWalksAFoundPathAndReiniciarStopsItWhereItStands() {
        press(Qt::LeftButton, 10, 0);
        QVERIFY(!window->walking());
        click("ir");
        QVERIFY(window->walking());
        QTRY_VERIFY_WITH_TIMEOUT(position().column >= 2, 5000);
        click("reiniciar");
        QVERIFY(!window->walking());
        const Cell stoppedAt = position();
        QVERIFY(stoppedAt.column >= 2 && stoppedAt.column < 10);
        QCOMPARE(window->demo().state().encontrado, kTrue);
    }

    void placingMovesTheCharacterAndRefusalsChangeNothing() {
        tick("personaje", true);
        press(Qt::LeftButton, 9, 9);
        QCOMPARE(position(), (Cell{9, 9}));
        QVERIFY(cellShows(window->board()->image(), 9, 9, pictures().imagen(0),
                          pictures().imagen(6), pictures().imagen(2)));
        tick("personaje", false);
        const QImage before = window->board()->image().copy();
        press(Qt::LeftButton, 0, 0);  // the destination before any search
        press(Qt::LeftButton, 9, 9);  // the character's cell
        press(Qt::MiddleButton, 3, 3);
        QCOMPARE(text1(), QString());
        QCOMPARE(window->board()->image(), before);
        QCOMPARE(window->demo().state().destX, 0);
    }

    void anUnreachableDestinationIsReported() {
        press(Qt::LeftButton, 6, 5);  // the water
        QCOMPARE(text1(), QString("NO SE PUEDE LLEGAR AL DESTINO"));
    }

    void rightPressInspectsTheCellInABox() {
        QString shown;
        closeNextBox(&shown);
        press(Qt::RightButton, 0, 0);
        QCOMPARE(text1(), QString("Abierto = False  Cerrado = False"));
        QCOMPARE(shown, QString("Coor = 0 0\nCerrados = 5\nF = 0\nPadres = 0 0"));
    }

    void theInspectorPausesASearchThatThenGoesOn() {
        QString shown;
        QTimer::singleShot(0, [&] {
            closeNextBox(&shown);
            press(Qt::RightButton, 5, 5);
        });
        window->setStepPeriodMs(5);
        press(Qt::LeftButton, 19, 19);
        QVERIFY(shown.startsWith("Coor = 5 5\n"));
        QCOMPARE(text1(), QString("Encontrado: 19 pasos"));
    }

    void closingDuringASearchStopsIt() {
        QTimer::singleShot(30, window.get(), &QWidget::close);
        window->setStepPeriodMs(20);
        press(Qt::LeftButton, 19, 19);
        QCOMPARE(window->demo().state().buscando, kFalse);
        QCOMPARE(window->demo().state().encontrado, kFalse);
        QVERIFY(!window->isVisible());
    }

    void theProgramEndsCleanlyWhenClosedMidSearchMidWalkOrInspecting() {
        QTemporaryDir folder;
        const std::string path = mapPathIn(folder.path().toStdString());
        QFile file(QString::fromStdString(path));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(mapText({})));
        file.close();
        window.reset();

        enum class When { kSearching, kWalking, kInspecting };
        for (When when : {When::kSearching, When::kWalking, When::kInspecting}) {
            QTimer::singleShot(0, [when] {
                DemoWindow* w = nullptr;
                for (QWidget* top : QApplication::topLevelWidgets())
                    if (auto* d = qobject_cast<DemoWindow*>(top)) w = d;
                QVERIFY(w);
                QTimer::singleShot(when == When::kWalking ? 120 : 60, w, &QWidget::close);
                if (when == When::kWalking) w->findChild<QCheckBox*>("CheckIr")->setChecked(true);
                QTest::mouseClick(w->board(),
                                  when == When::kInspecting ? Qt::RightButton : Qt::LeftButton, {},
                                  cellCentre(19, 19));
            });
            QCOMPARE(runDemoProgram(path), 0);
        }
    }

    void aMapThatCannotBeLoadedEndsWithStatusOneBeforeAnyWindow() {
        window.reset();
        QTemporaryDir folder;
        const std::string missing = mapPathIn(folder.path().toStdString());
        struct Case {
            const char* name;
            std::string content;  // empty: no file at all
            QString message;
        };
        std::string undrawable = mapText({});
        undrawable[2] = '9';
        const Case cases[] = {
            {"missing", "", "No se encuentra el archivo del mapa"},
            {"short", "0,0,0,", "el mapa tiene 3 valores y hacen falta 400"},
            {"not a number", "x," + mapText({}), "«x» no es un número"},
            {"undrawable code", undrawable, "fila 0, columna 1: el código 9 no se puede dibujar"},
        };
        for (const Case& c : cases) {
            QFile::remove(QString::fromStdString(missing));
            if (!c.content.empty()) {
                QFile file(QString::fromStdString(missing));
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(QByteArray::fromStdString(c.content));
            }
            QString shown;
            closeNextBox(&shown);
            QCOMPARE(runDemoProgram(missing), 1);
            QVERIFY2(shown.contains(c.message), qPrintable(QString(c.name) + ": " + shown));
            QVERIFY(QApplication::topLevelWidgets().size() <= 1);  // at most the closed box
            QCOMPARE(QFile::exists(QString::fromStdString(missing)), !c.content.empty());
        }
    }
};

}  // namespace

QTEST_MAIN(DemoWindowTest)
#include "demo_window_test.moc"
