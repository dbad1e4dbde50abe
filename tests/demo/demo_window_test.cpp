#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

#include "demo/window/demo_program.h"
#include "demo/window/demo_window.h"
#include "demo/window/paint_demo_board.h"
#include "map/pictures/picture_set.h"
#include "support/pixels.h"
#include "support/window_tools.h"

using namespace marv;
using namespace marv::testing;

namespace {

class DemoWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowOnMap<DemoWindow>> opened;
    DemoWindow* window = nullptr;

    static const QImage& picture(int index) { return PictureSet::shared().imagen(index); }
    static QImage stamped(const QImage& under, int mask, int figure) {
        return testing::stamped(under, picture(mask), picture(figure));
    }
    static QImage withCharacter(const QImage& under) {
        return stamped(under, kMascaraPersonaje, kFiguraPersonaje);
    }
    QString text1() const { return window->findChild<QLineEdit*>("Text1")->text(); }
    void press(Qt::MouseButton button, int column, int row, Qt::KeyboardModifiers held = {}) {
        QTest::mouseClick(window->board(), button, held,
                          cellCentre(window->board(), {column, row}));
    }
    // Ticks or clears a check box with the mouse, as the user does.
    void tick(const char* name, bool on) {
        auto* box = window->findChild<QCheckBox*>(name);
        if (box->isChecked() != on) QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(box->isChecked(), on);
    }
    void click(const char* name) {
        QTest::mouseClick(window->findChild<QPushButton*>(name), Qt::LeftButton);
    }
    DemoState& state() { return window->demo().state(); }
    Cell position() const { return {window->demo().state().posX, window->demo().state().posY}; }
    // Up to `most` ticks of the walk, given straight to the demonstration as its timer gives them;
    // returns how many were given before the walk stopped.
    int walkTicks(int most) {
        int ticks = 0;
        for (; window->walking() && ticks < most; ++ticks) window->demo().walkStep();
        return ticks;
    }
    QImage cell(int column, int row) const { return cellImage(window->board(), {column, row}); }

  private slots:
    void init() {
        opened = std::make_unique<WindowOnMap<DemoWindow>>(demoProgram(), mapText({"......#"}, 5));
        window = opened->window.get();
        QVERIFY2(window, opened->error.c_str());
        window->setStepPeriodMs(0);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    void cleanup() { opened.reset(); }

    void windowHasItsCaptionSizeAndControls() {
        checkLayout(*window, kDemoWindowFacts, kDemoLayout);
        QCOMPARE(window->board()->contentsRect(), QRect(2, 2, 396, 396));
        // The buttons' texts are their accessible names, checked with the layout.
        QCOMPARE(window->findChild<QCheckBox*>("CheckIr")->text(), QString("Ir con Click"));
        QVERIFY(!window->walking());
        // The tick box's indicator lies inside its 17 × 13 rectangle, all four edges drawn alike.
        auto* box = window->findChild<QCheckBox*>("personaje");
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect indicator =
            box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        QVERIFY(box->rect().contains(indicator));
        const QImage drawn = box->grab().toImage();
        const QPoint centre = indicator.center();
        const QRgb edge = drawn.pixel(centre.x(), indicator.top());
        for (const QPoint at :
             {QPoint(centre.x(), indicator.bottom()), QPoint(indicator.left(), centre.y()),
              QPoint(indicator.right(), centre.y())})
            QCOMPARE(drawn.pixel(at), edge);
        QVERIFY(drawn.pixel(centre) != edge);
    }

    // A search writes its result and marks the board: a closed cell off the path and an open cell
    // show their mark over their tile, the path's mark being the character's own picture; the
    // start, closed, shows the character over its mark. A cell both closed and open shows the open
    // mark over the closed one. With the search display off, none shows: every cell shows the
    // picture of its code, and the first cell the character over it.
    void aSearchMarksTheBoardUnderTheCharacter() {
        // From (0, 0) to (7, 5) round the water at (6, 5); a modifier held changes nothing.
        const BoxAnswerer unexpected;
        press(Qt::LeftButton, 7, 5, Qt::ControlModifier);
        QCOMPARE(text1(), QString("Encontrado: 7 pasos"));
        const QImage closedGrass = stamped(picture(kPasto), kMascaraMarco, kMarcoCerrado);
        const QImage openGrass = stamped(picture(kPasto), kMascaraMarco, kMarcoAbierto);
        int closedOff = 0, open = 0;
        forEachCell([&](Cell at) {
            const Celda& c = state().celda(at.column, at.row);
            if (c.tipo != kPasto || at == Cell{0, 0}) return;
            const bool isClosedOff = c.cerrado == kTrue && c.enCamino == 0;
            closedOff += isClosedOff;
            open += c.abierto == kTrue;
            if (isClosedOff) QCOMPARE(cell(at.column, at.row), closedGrass);
            if (c.abierto == kTrue) QCOMPARE(cell(at.column, at.row), openGrass);
        });
        QVERIFY(closedOff > 0 && open > 0);
        QCOMPARE(cell(7, 5), withCharacter(closedGrass));
        QCOMPARE(cell(0, 0), withCharacter(closedGrass));
        state().celda(15, 15).cerrado = state().celda(15, 15).abierto = kTrue;
        window->dibujar();
        QCOMPARE(cell(15, 15), stamped(closedGrass, kMascaraMarco, kMarcoAbierto));

        for (auto& column : state().mapa)
            for (Celda& c : column) c.cerrado = c.abierto = c.enCamino = kTrue;
        state().mostrarBusqueda = kFalse;
        window->demo().load(mapOf({"#t", "p23456"}, 5));  // every code; drawn by the load
        forEachCell([&](Cell at) {
            const QImage& tile = picture(state().celda(at.column, at.row).tipo);
            QCOMPARE(cell(at.column, at.row), (at == Cell{0, 0} ? withCharacter(tile) : tile));
        });
    }

    QImage fullRepaintOfTheState() {
        QImage image(kBoardPixels, kBoardPixels, kBoardImageFormat);
        paintDemoBoard(image, state(), PictureSet::shared());
        return fullRepaint(image);
    }

    void everyFrameOnScreenIsAFullRepaint_data() {
        QTest::addColumn<int>("drawn");
        QTest::addColumn<int>("shown");
        // The reset that clears the last search's marks, 12 steps along row 0 and the path. Each
        // reaches the screen at the next step's yield, the last step's with the path's.
        QTest::newRow("search") << 1 + 12 + 1 << 1 + 12;
        // The reset, then one step for each of the 398 cells besides the start that can be reached.
        QTest::newRow("search closing every cell") << 1 + 398 << 1 + 398;
        // Ten steps to (10, 0) and the tick that finds the walk over, which changes no cell.
        QTest::newRow("walk") << 11 << 10;
        // Ir and two ticks, which hide the search's marks, then the reset that stops the walk.
        QTest::newRow("walk stopped") << 3 << 1;
        // The reset that clears the marks, and the character in its new cell, shown together.
        QTest::newRow("placement") << 2 << 1;
    }
    // A frame repaints only the cells whose picture changed, yet what reaches the screen is, pixel
    // for pixel, what a full repaint of the same state shows. Each frame is checked when the next
    // one is drawn, if it was shown in between, and the last once the events are handled.
    void everyFrameOnScreenIsAFullRepaint() {
        const QByteArray what = QTest::currentDataTag();
        QFETCH(int, drawn);
        QFETCH(int, shown);
        press(Qt::LeftButton, 10, 0);  // a search to show, reset or walk
        QCoreApplication::processEvents();
        QImage expected = fullRepaintOfTheState();
        const PaintCounter paints(window->board());
        int frames = 0, wrong = 0, paintsSeen = 0;
        const auto check = [&] {
            if (paints.count() == paintsSeen) return;
            paintsSeen = paints.count();
            wrong += boardOnScreen(window->board()) != expected;
        };
        const QObject watching;  // ends the watch with this test
        connect(window, &DemoWindow::boardDrawn, &watching, [&] {
            check();
            ++frames;
            expected = fullRepaintOfTheState();
        });
        if (what == "search") {
            press(Qt::LeftButton, 12, 0);
            QCOMPARE(text1(), QString("Encontrado: 12 pasos"));
        } else if (what == "search closing every cell") {
            press(Qt::LeftButton, 6, 5);  // the water
            QCOMPARE(text1(), QString("NO SE PUEDE LLEGAR AL DESTINO"));
        } else if (what == "walk") {
            click("ir");  // the walk's own timer gives the ticks, each shown before the next
            while (window->walking())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        } else if (what == "walk stopped") {  // where it stands, with no marks shown
            click("ir");
            QCOMPARE(state().mostrarBusqueda, kFalse);
            QCOMPARE(walkTicks(2), 2);
            click("reiniciar");
            QVERIFY(!window->walking());
            QCOMPARE(position(), (Cell{2, 0}));
        } else {
            tick("personaje", true);
            press(Qt::LeftButton, 9, 9);
        }
        QCoreApplication::processEvents();
        check();
        QCOMPARE(wrong, 0);
        QCOMPARE(frames, drawn);
        QCOMPARE(paintsSeen, shown);
        QCOMPARE(boardOnScreen(window->board()), expected);
    }

    void placingMovesTheCharacterAndRefusalsChangeNothing() {
        tick("personaje", true);
        press(Qt::LeftButton, 9, 9, Qt::ShiftModifier);  // a modifier held changes nothing
        QCOMPARE(position(), (Cell{9, 9}));
        QCOMPARE(cell(9, 9), withCharacter(picture(kPasto)));
        tick("personaje", false);
        const QImage before = window->board()->image().copy();
        press(Qt::LeftButton, 0, 0);  // the destination before any search
        press(Qt::LeftButton, 9, 9);  // the character's cell
        press(Qt::MiddleButton, 3, 3);
        // On the right and bottom border, which column and row 19 stop short of.
        for (const QPoint border : {QPoint(398, 30), QPoint(30, 398)})
            QTest::mouseClick(window->board(), Qt::LeftButton, {}, border);
        QCOMPARE(text1(), QString());
        QCOMPARE(window->board()->image(), before);
        QCOMPARE(state().destX, 0);
    }

    // A right press shows the cell's data in a box, whose one button is in Spanish whether or not
    // Qt's own translation is loaded (it is not, here), and which offers no maximise. One pressed
    // mid-search pauses the search, which then goes on.
    void rightPressInspectsTheCellInABox() {
        BoxAnswerer boxes;
        press(Qt::RightButton, 0, 0, Qt::AltModifier);  // a modifier held changes nothing
        QCOMPARE(text1(), QString("Abierto = Falso  Cerrado = Falso"));
        QCOMPARE(boxes.seen.value(0).text,
                 QString("Coor = 0 0\nCerrados = 5\nF = 0\nPadres = 0 0"));
        QCOMPARE(boxes.seen[0].buttons, QStringList{"Aceptar"});
        QVERIFY(!(boxes.seen[0].flags & Qt::WindowMaximizeButtonHint));
        QTimer::singleShot(0, [&] { press(Qt::RightButton, 5, 5); });
        window->setStepPeriodMs(5);
        press(Qt::LeftButton, 19, 19);
        QVERIFY(boxes.seen.value(1).text.startsWith("Coor = 5 5\n"));
        QCOMPARE(text1(), QString("Encontrado: 19 pasos"));
        // The start is closed: the longer line still shows whole in the field.
        press(Qt::RightButton, 0, 0);
        QCOMPARE(text1(), QString("Abierto = Falso  Cerrado = Verdadero"));
        auto* field = window->findChild<QLineEdit*>("Text1");
        QStyleOptionFrame frame;
        frame.initFrom(field);
        const QRect inside =
            field->style()->subElementRect(QStyle::SE_LineEditContents, &frame, field);
        QVERIFY(QFontMetrics(field->font()).horizontalAdvance(text1()) + 4 <= inside.width());
        QVERIFY(field->font().pixelSize() >= 8);
    }

    void theProgramEndsCleanlyWhenClosedMidWay_data() {
        QTest::addColumn<QString>("when");
        for (const char* when : {"searching", "walking", "inspecting"})
            QTest::newRow(when) << QString(when);
    }
    // Closed mid-search (on the repaint of the third step, the first being the reset's), mid-walk
    // (after the third tick along the diagonal) or from the cell-data box, the program ends with
    // status 0; the search stops at once, with neither text.
    void theProgramEndsCleanlyWhenClosedMidWay() {
        QFETCH(QString, when);
        opened->window.reset();  // the program opens its own window on the same map
        const Watchdog watchdog;
        bool closedMidWay = false;
        int draws = 0;
        QTimer::singleShot(0, [&] {
            window = topLevelWindow<DemoWindow>();
            QVERIFY(window);
            const auto closeIf = [this, &closedMidWay](bool midWay) {
                closedMidWay = midWay;
                window->close();
            };
            if (when == "searching") {
                connect(window, &DemoWindow::boardDrawn, window, [this, &draws, closeIf] {
                    if (++draws == 4) closeIf(state().buscando == kTrue);
                });
                press(Qt::LeftButton, 19, 19);
                closedMidWay = closedMidWay && draws == 4 && state().buscando == kFalse &&
                               state().encontrado == kFalse && text1().isEmpty();
            } else if (when == "walking") {
                tick("CheckIr", true);
                press(Qt::LeftButton, 19, 19);
                closeIf(text1() == "Encontrado: 19 pasos" && walkTicks(3) == 3 &&
                        window->walking() && position() == Cell{3, 3});
            } else {
                BoxAnswerer cellData({}, [closeIf, &closedMidWay](QMessageBox* box) {
                    closeIf(box->text().startsWith("Coor = 19 19\n"));
                    closedMidWay = closedMidWay && !box->isVisible();  // gone with the window
                });
                press(Qt::RightButton, 19, 19);
            }
        });
        QCOMPARE(runDemoProgram(opened->path), 0);
        QVERIFY(closedMidWay);
    }
};

}  // namespace

QTEST_MAIN(DemoWindowTest)
#include "demo_window_test.moc"
