#include <QDirIterator>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include "demo/window/demo_program.h"
#include "demo/window/demo_window.h"
#include "editor/editor_program.h"
#include "editor/editor_window.h"
#include "map/pictures/picture_set.h"
#include "map/pictures/program_icons.h"
#include "map/startup/fixed_size.h"
#include "support/pixels.h"
#include "support/window_tools.h"

namespace marv {
namespace {

using namespace testing;

QSet<QRgb> colourSet(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
    return colours;
}

class DesktopTest : public QObject {
    Q_OBJECT

    const PictureSet& pictures() const { return PictureSet::shared(); }
    static QImage argb(const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32); }
    // A pixel of a program's icon at its natural size: the character's figure cut along its mask,
    // or the palette two by two.
    QRgb naturalPixel(ProgramIcon which, int x, int y) const {
        if (which == ProgramIcon::kMarvedit) {
            const int tiles[] = {kPasto, kAgua, kTierra, kAdoquin};
            return pictures().imagen(tiles[y / 20 * 2 + x / 20]).pixel(x % 20, y % 20);
        }
        const bool inFigure = pictures().imagen(kMascaraPersonaje).pixel(x, y) == qRgb(0, 0, 0);
        return inFigure ? pictures().imagen(kFiguraPersonaje).pixel(x, y) : qRgba(0, 0, 0, 0);
    }

  private slots:
    // Each size grows the natural-size icon by the largest whole number that fits (at least once
    // from 48 up), every pixel a sharp square, centred on a transparent margin; a size smaller than
    // it is a smooth reduction, which keeps the icon's mean colour and blends neighbouring pixels.
    // Each window shows its program's icon, and the writer installs the same icons at every size,
    // each under its program's name, and nothing else.
    void everySizeIsAWholeNumberScaleOrASmoothReduction() {
        const WindowOnMap<DemoWindow> demo(demoProgram(), mapText({}));
        const WindowOnMap<EditorWindow> editor(editorProgram(), mapText({}));
        QVERIFY(demo.window && editor.window);
        QTemporaryDir folder;
        QProcess writer;
        writer.start(QStringLiteral(WRITE_ICONS_PATH), {folder.path()});
        QVERIFY(writer.waitForFinished(60000));
        QCOMPARE(writer.exitCode(), 0);
        int files = 0;
        for (QDirIterator it(folder.path(), QDir::Files, QDirIterator::Subdirectories);
             it.hasNext(); it.next())
            ++files;
        QCOMPARE(files, 2 * static_cast<int>(kIconSizes.size()));
        const std::tuple<const QWidget*, ProgramIcon, int> windows[] = {
            {demo.window.get(), ProgramIcon::kMarvane, 20},
            {editor.window.get(), ProgramIcon::kMarvedit, 40}};
        for (const auto& [window, which, width] : windows) {
            const QImage base = argb(iconBase(which, pictures()));
            for (const int side : kIconSizes) {
                const QImage icon = argb(iconImage(which, pictures(), side));
                QCOMPARE(icon.size(), QSize(side, side));
                const QString path = folder.filePath(
                    QStringLiteral("hicolor/%1x%1/apps/%2.png").arg(side).arg(iconName(which)));
                QCOMPARE(argb(QImage(path)), icon);
                QCOMPARE(argb(window->windowIcon().pixmap(side).toImage()), icon);
                const int times = side / width, margin = (side - times * width) / 2;
                if (side >= 48) QVERIFY(times >= 1);
                if (times == 0) {
                    QVERIFY((meanColour(icon) - meanColour(base)).length() < 0.03f);
                    QVERIFY(!colourSet(base).contains(colourSet(icon)));
                    continue;
                }
                for (int y = 0; y < side; ++y)
                    for (int x = 0; x < side; ++x) {
                        const QPoint in((x - margin) / times, (y - margin) / times);
                        const bool inside =
                            x >= margin && y >= margin && in.x() < width && in.y() < width;
                        QCOMPARE(icon.pixel(x, y),
                                 inside ? naturalPixel(which, in.x(), in.y()) : qRgba(0, 0, 0, 0));
                    }
            }
        }
    }

    // Where the window system maximises whatever the size limits, as Qt's own title bar and the
    // compositor do on Wayland, both windows and a box grow to the maximised size, the boards
    // where they were, and take their own size back once normal again.
    void aMaximiseGrowsAFixedWindowUntilItIsNormalAgain() {
        const WindowOnMap<DemoWindow> demo(demoProgram(), mapText({}));
        const WindowOnMap<EditorWindow> editor(editorProgram(), mapText({}));
        QMessageBox box(QMessageBox::Warning, "Editor", "No se puede guardar.", QMessageBox::Ok);
        const std::pair<const char*, QWidget*> windows[] = {
            {"marvane", demo.window.get()},
            {"marvedit", editor.window.get()},
            {"box", &box},
        };
        for (const auto& [name, window] : windows) {
            QVERIFY2(window, name);
            keepMaximiseHarmless(*window);
            window->show();
            QVERIFY2(QTest::qWaitForWindowExposed(window), name);
            const QSize fixed = window->size();
            const auto* board = window->findChild<QWidget*>("mainpic");
            const QRect boardPlace = board ? board->geometry() : QRect();

            window->windowHandle()->setWindowStates(Qt::WindowMaximized);
            QTRY_VERIFY2(window->isMaximized(), name);
            QTRY_VERIFY2(window->width() > fixed.width() && window->height() > fixed.height(),
                         name);
            // Qt's Wayland platform holds the native window to this limit.
            const QSize limit = window->windowHandle()->maximumSize();
            QVERIFY2(limit.width() >= window->width() && limit.height() >= window->height(), name);
            if (board) QCOMPARE(board->geometry(), boardPlace);

            window->windowHandle()->setWindowStates(Qt::WindowNoState);
            QTRY_VERIFY2(!window->isMaximized(), name);
            QTRY_COMPARE(window->size(), fixed);
            QCOMPARE(window->minimumSize(), fixed);
        }
    }

    void aMapThatCannotBeOpenedEndsWithStatusOneBeforeAnyWindow_data() {
        QTest::addColumn<QString>("caption");  // marvane's or the editor's
        QTest::addColumn<QByteArray>("text");  // empty: no file at all
        QTest::addColumn<QString>("says");
        QTest::newRow("marvane, missing")
            << "marvane" << QByteArray() << "No se encuentra el archivo del mapa";
        QTest::newRow("marvane, undrawable code")
            << "marvane" << QByteArray::fromStdString(mapText({".9"}))
            << "fila 0, columna 1: el código 9 no se puede dibujar";
        QTest::newRow("marvedit, short") << "Editor" << QByteArray("0,").repeated(399)
                                         << "el mapa tiene 399 valores y hacen falta 400";
        QTest::newRow("marvedit, code 2") << "Editor" << QByteArray("0,").repeated(399).append("2,")
                                          << "fila 19, columna 19: el código 2";
    }
    // A program given a map it refuses ends with status 1 after one critical box under its own
    // caption, offering Aceptar alone and no maximise, before making any window; the folder is
    // left as it was.
    void aMapThatCannotBeOpenedEndsWithStatusOneBeforeAnyWindow() {
        QFETCH(QString, caption);
        QFETCH(QByteArray, text);
        QFETCH(QString, says);
        TempFolder folder;
        const std::string path = mapPathIn(folder.path());
        if (!text.isEmpty()) TempFolder::write(path, text.toStdString());
        const auto windowMade = [] {
            return topLevelWindow<DemoWindow>() || topLevelWindow<EditorWindow>();
        };
        bool madeBeforeTheBox = false;
        const BoxAnswerer boxes({}, [&](QMessageBox*) { madeBeforeTheBox = windowMade(); });
        // Should a window open after all, its program ends instead of waiting for a close.
        const Watchdog watchdog(windowMade);
        QCOMPARE((caption == "Editor" ? runEditorProgram : runDemoProgram)(path), 1);
        QCOMPARE(boxes.seen.size(), 1);
        const BoxAnswerer::Box& box = boxes.seen[0];
        QCOMPARE(box.title, caption);
        QCOMPARE(box.icon, QMessageBox::Critical);
        QVERIFY2(box.text.contains(says), qPrintable(box.text));
        QCOMPARE(box.buttons, QStringList{"Aceptar"});
        QVERIFY(!(box.flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!madeBeforeTheBox);
        QCOMPARE(folder.entries(), text.isEmpty() ? 0u : 1u);
        if (!text.isEmpty()) QCOMPARE(TempFolder::read(path), text.toStdString());
    }
};

}  // namespace
}  // namespace marv

QTEST_MAIN(marv::DesktopTest)
#include "desktop_test.moc"
