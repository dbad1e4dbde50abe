#include <QDirIterator>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>

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
    // Each program's window on an open board, as the program opens it.
    WindowOnMap<DemoWindow> demo{demoProgram(), mapText({})};
    WindowOnMap<EditorWindow> editor{editorProgram(), mapText({})};

  private slots:
    // The demonstration's icon is the character's figure cut along its mask; the editor's is the
    // palette, two by two. Each size grows the natural-size icon by the largest whole number that
    // fits, every pixel a sharp square, centred on a transparent margin; a size smaller than it is
    // a smooth reduction, which keeps the icon's mean colour and blends neighbouring pixels. Each
    // window shows its program's icon, and the writer installs the same icons at every size, each
    // under its program's name, and nothing else.
    void everySizeIsAWholeNumberScaleOrASmoothReduction() {
        const QImage icon = argb(iconBase(ProgramIcon::kMarvane, pictures()));
        const QImage figure = argb(pictures().imagen(kFiguraPersonaje));
        const QImage mask = argb(pictures().imagen(kMascaraPersonaje));
        QCOMPARE(icon.size(), QSize(20, 20));
        int opaque = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                const bool inFigure = mask.pixel(x, y) == qRgb(0, 0, 0);
                opaque += inFigure;
                QCOMPARE(icon.pixel(x, y), inFigure ? figure.pixel(x, y) : qRgba(0, 0, 0, 0));
            }
        QVERIFY(opaque > 0 && opaque < 400);
        const QImage palette = argb(iconBase(ProgramIcon::kMarvedit, pictures()));
        QCOMPARE(palette.size(), QSize(40, 40));
        const std::tuple<int, int, int> quarters[] = {
            {kPasto, 0, 0}, {kAgua, 20, 0}, {kTierra, 0, 20}, {kAdoquin, 20, 20}};
        for (const auto& [tile, x, y] : quarters)
            QCOMPARE(palette.copy(x, y, 20, 20), argb(pictures().imagen(tile)));
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
        const std::pair<const QWidget*, ProgramIcon> windows[] = {
            {demo.window.get(), kDemoWindowFacts.icon},
            {editor.window.get(), kEditorWindowFacts.icon}};
        for (const auto& [window, which] : windows) {
            const QImage base = argb(iconBase(which, pictures()));
            const int width = base.width();
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
                        QCOMPARE(icon.pixel(x, y), inside ? base.pixel(in) : qRgba(0, 0, 0, 0));
                    }
            }
        }
    }

    // The cell-data box, a failed save and a failed start each offer one button, in Spanish
    // whether or not Qt's own translation is loaded (it is not, here), and no maximise button.
    void eachBoxNamesItsButtonAceptar() {
        QVERIFY(demo.window && editor.window);
        // With its folder gone, the editor's map can be neither saved nor opened.
        std::filesystem::remove_all(editor.folder.path());
        const Watchdog watchdog;  // a start that opened a window after all would wait for it
        const std::pair<const char*, std::function<void()>> boxes[] = {
            {"cell data",
             [&] { QTest::mouseClick(demo.window->board(), Qt::RightButton, {}, QPoint(30, 30)); }},
            {"failed save",
             [&] {
                 QTest::mouseClick(editor.window->findChild<QWidget*>("guardar"), Qt::LeftButton);
             }},
            {"failed start", [&] { runEditorProgram(editor.path); }},
        };
        for (const auto& [name, show] : boxes) {
            const BoxAnswerer answerer;
            show();
            QVERIFY2(answerer.seen.size() == 1 &&
                         answerer.seen[0].buttons == QStringList{"Aceptar"} &&
                         !(answerer.seen[0].flags & Qt::WindowMaximizeButtonHint),
                     name);
        }
    }

    // Where the window system maximises whatever the size limits, as Qt's own title bar and the
    // compositor do on Wayland, both windows and a box grow to the maximised size, the boards
    // where they were, and take their own size back once normal again.
    void aMaximiseGrowsAFixedWindowUntilItIsNormalAgain() {
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
            QCOMPARE(window->minimumSize(), fixed);
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
};

}  // namespace
}  // namespace marv

QTEST_MAIN(marv::DesktopTest)
#include "desktop_test.moc"
