#include <QAccessible>
#include <QtTest>
#include <memory>

#include "editor/editor_program.h"
#include "editor/editor_window.h"
#include "map/board/tile_layer.h"
#include "map/pictures/picture_set.h"
#include "support/child_process.h"
#include "support/window_tools.h"

namespace marv {
namespace {

using namespace testing;

// A map written into a folder of its own, open in a shown window as the program opens it.
struct Session : WindowOnMap<EditorWindow> {
    explicit Session(const QByteArray& text) : WindowOnMap(editorProgram(), text.toStdString()) {
        if (!window) return;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    BoardView* board() const { return window->findChild<BoardView*>("mainpic"); }
    const CodeGrid& mapa() const { return window->model().mapa(); }
    void click(const char* name) const {
        QTest::mouseClick(window->findChild<QWidget*>(name), Qt::LeftButton);
    }
    // Presses on the cell, then lets go a cell further on: only the pressed cell may change.
    void press(Cell cell, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = {}) const {
        const QPoint inside = cellCentre(board(), cell);
        const QPoint further =
            inside + QPoint(cell.column < kLastIndex ? kCellPixels : -kCellPixels, 0);
        QTest::mousePress(board(), button, modifiers, inside);
        QTest::mouseMove(board(), further);
        QTest::mouseRelease(board(), button, modifiers, further);
    }
    // The palette entries that assistive technologies are told are selected.
    QStringList selectedEntries() const {
        QStringList selected;
        for (const char* name : {"imagen0", "imagen1", "imagen7", "imagen8"}) {
            auto* entry = QAccessible::queryAccessibleInterface(window->findChild<QWidget*>(name));
            if (entry && entry->state().selectable && entry->state().selected) selected << name;
        }
        return selected;
    }
    bool shows(Cell cell, int picture) const {
        return cellImage(board(), cell) == PictureSet::shared().imagen(picture);
    }

    // Once the window has repainted: whether the board on screen is, pixel for pixel, a full
    // repaint of the map, though each frame repaints only the cells that changed.
    bool screenShowsTheMap() const {
        QCoreApplication::processEvents();
        QImage full(kBoardPixels, kBoardPixels, kBoardImageFormat);
        paintTileLayer(full, PictureSet::shared(),
                       [this](Cell cell) { return mapa()[cell.column][cell.row]; });
        return boardOnScreen(board()) == fullRepaint(full);
    }
};

}  // namespace

class EditorWindowTest : public QObject {
    Q_OBJECT

    static QByteArray uniformText(std::int16_t code) {
        return QByteArray::fromStdString(formatMapText(uniformCodes(code)));
    }
    static QByteArray readFile(const std::string& path) {
        return QByteArray::fromStdString(TempFolder::read(path));
    }

  private slots:
    void windowHasItsCaptionSizeControlsAndTabOrder() {
        Session session(uniformText(0));
        QVERIFY(session.window);
        checkLayout(*session.window, kEditorWindowFacts, kEditorLayout);

        session.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(session.window.get()));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("imagen0"));
        for (const char* next :
             {"imagen1", "mainpic", "guardar", "imagen7", "imagen8", "borrar", "imagen0"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString(next));
        }
    }

    void everyButtonPaintsOneCellWithTheChosenTile_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("left") << Qt::LeftButton << Qt::KeyboardModifiers();
        QTest::newRow("right") << Qt::RightButton << Qt::KeyboardModifiers(Qt::ShiftModifier);
        QTest::newRow("middle") << Qt::MiddleButton << Qt::KeyboardModifiers(Qt::ControlModifier);
    }
    void everyButtonPaintsOneCellWithTheChosenTile() {
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        Session session(uniformText(1));
        QVERIFY(session.window);
        CodeGrid expected = uniformCodes(1);

        QCOMPARE(session.selectedEntries(), QStringList{"imagen0"});
        session.press({2, 3}, button, modifiers);  // nothing chosen yet: grass
        expected[2][3] = 0;
        QCOMPARE(session.mapa(), expected);
        QVERIFY(session.shows({2, 3}, kPasto));
        QVERIFY(session.screenShowsTheMap());

        session.click("imagen8");
        session.click("imagen7");
        QCOMPARE(session.selectedEntries(), QStringList{"imagen7"});
        session.press({19, 0}, button, modifiers);
        expected[19][0] = 7;
        QCOMPARE(session.mapa(), expected);
        QVERIFY(session.shows({19, 0}, kTierra) && session.shows({18, 0}, kAgua));
        QVERIFY(session.screenShowsTheMap());
    }

    void closingAsksToSaveTheChanges_data() {
        QTest::addColumn<QString>("answer");  // none: saved with Guardar first, so nothing to ask
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Guardar") << QString() << true << true;
        QTest::newRow("Sí") << QStringLiteral("Sí") << true << true;
        QTest::newRow("No") << QStringLiteral("No") << true << false;
        QTest::newRow("Cancelar") << QStringLiteral("Cancelar") << false << false;
        QTest::newRow("Escape") << kEscape << false << false;
    }
    // Choosing tiles changes nothing; Borrar and a press do, and closing asks whether to save them
    // unless Guardar just has. A save replaces the file whole: values past the 400th are ignored
    // on reading, so the old file may be longer.
    void closingAsksToSaveTheChanges() {
        QFETCH(QString, answer);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        const QByteArray old = uniformText(7) + QByteArray("-12345,").repeated(50);
        Session session(old);
        QVERIFY(session.window);
        for (const char* name : {"imagen0", "imagen7", "imagen8", "imagen1"}) session.click(name);
        QVERIFY2(!session.window->model().modified(), "choosing a tile changes nothing");
        QVERIFY(session.shows({0, 0}, kTierra));  // as the window opened
        session.click("borrar");
        QVERIFY(session.screenShowsTheMap());
        session.press({4, 9});  // Borrar keeps the tile chosen last, water
        QCOMPARE(readFile(session.path), old);

        BoxAnswerer answers({answer});
        if (answer.isEmpty()) session.click("guardar");
        QCOMPARE(session.window->close(), closes);
        QCOMPARE(answers.seen.size(), answer.isEmpty() ? 0 : 1);
        if (!answer.isEmpty()) {
            QCOMPARE(answers.seen[0].title, QStringLiteral("Editor"));
            QCOMPARE(answers.seen[0].text, QStringLiteral("¿Guardar los cambios en mapa.txt?"));
            QVERIFY(!(answers.seen[0].flags & Qt::WindowMaximizeButtonHint));
        }
        QCOMPARE(session.window->isVisible(), !closes);
        const std::string edited = mapText({"....#"}, 9);
        QCOMPARE(readFile(session.path), saved ? QByteArray::fromStdString(edited) : old);
        QCOMPARE(formatMapText(session.mapa()), edited);
    }

    // Run through the program's own start, which is what keeps a file-size limit from ending it.
    void aFailedSaveKeepsTheBoardAndTheFile() {
        TempFolder folder;
        const std::string path = mapPathIn(folder.path());
        TempFolder::write(path, uniformText(1).toStdString());
        const QString failure = QString::fromStdString("No se pudo guardar el mapa en " + path);

        BoxAnswerer answers({QStringLiteral("Aceptar"), QStringLiteral("Sí"),
                             QStringLiteral("Aceptar"), QStringLiteral("No")});
        bool checked = false;
        const Watchdog watchdog([] { return QTest::currentTestFailed(); });
        QTimer::singleShot(0, [&] {
            EditorWindow* window = topLevelWindow<EditorWindow>();
            QVERIFY(window);
            auto* board = window->findChild<BoardView*>("mainpic");
            QTest::mouseClick(board, Qt::LeftButton, {}, cellCentre(board, {3, 4}));
            const CodeGrid edited = window->model().mapa();
            {
                FileSizeLimit limit(100);
                QTest::mouseClick(window->findChild<QWidget*>("guardar"), Qt::LeftButton);
                // Sí saves first; when that fails too, the window stays.
                QVERIFY(!window->close());
            }
            QCOMPARE(answers.seen.size(), 3);
            QVERIFY(window->isVisible());
            QCOMPARE(window->model().mapa(), edited);
            QVERIFY(window->model().modified());
            QCOMPARE(cellImage(board, {3, 4}), PictureSet::shared().imagen(kPasto));
            QCOMPARE(readFile(path), uniformText(1));
            QCOMPARE(folder.entries(), 1u);
            checked = true;
            window->close();
        });
        QCOMPARE(runEditorProgram(path), 0);
        QVERIFY(checked);
        QCOMPARE(answers.seen.size(), 4);
        for (int i : {0, 2}) {  // one button, in Spanish without Qt's translation; no maximise
            QCOMPARE(answers.seen[i].title, QStringLiteral("Editor"));
            QCOMPARE(answers.seen[i].icon, QMessageBox::Warning);
            QCOMPARE(answers.seen[i].text, failure + ": el archivo sería demasiado grande.");
            QCOMPARE(answers.seen[i].buttons, QStringList{"Aceptar"});
            QVERIFY(!(answers.seen[i].flags & Qt::WindowMaximizeButtonHint));
        }
    }
};

}  // namespace marv

QTEST_MAIN(marv::EditorWindowTest)
#include "editor_test.moc"
