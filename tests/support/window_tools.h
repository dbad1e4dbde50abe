#pragma once

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

#include "board_text.h"
#include "map/board/board_view.h"
#include "map/startup/window_facts.h"
#include "program_window.h"

namespace marv::testing {

// The centre of a cell in the board widget's own coordinates, inside its border.
inline QPoint cellCentre(const BoardView* board, Cell cell) {
    const PixelPoint centre = cellCentre(cell);
    return board->contentsRect().topLeft() + QPoint(centre.x, centre.y);
}

// The pixels the board shows for a cell.
inline QImage cellImage(const BoardView* board, Cell cell) {
    const PixelPoint at = cellOrigin(cell);
    return board->image().copy(at.x, at.y, kCellPixels, kCellPixels);
}

// The board's pixels as the window system last got them from its window: what is on screen, not
// what the widget would paint now.
inline QImage boardOnScreen(const BoardView* board) {
    const QWidget* window = board->window();
    const QPoint at = board->mapTo(window, QPoint(0, 0));
    return window->screen()
        ->grabWindow(window->winId(), at.x(), at.y(), board->width(), board->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// A board showing `image` painted whole, border and all, as when it is first exposed.
inline QImage fullRepaint(const QImage& image) {
    BoardView reference;
    reference.image() = image;
    return reference.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The first top-level window of type W, or null.
template <class W>
W* topLevelWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<W*>(widget)) return window;
    return nullptr;
}

// Counts the paints of a widget while it lives, calling `onPaint` with the count after each.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(
        QWidget* widget, std::function<void(int)> onPaint = [](int) {})
        : onPaint_(std::move(onPaint)) {
        widget->installEventFilter(this);
    }
    int count() const { return count_; }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) onPaint_(++count_);
        return false;
    }

  private:
    std::function<void(int)> onPaint_;
    int count_ = 0;
};

inline const QString kEscape = QStringLiteral("<Escape>");

// Answers the message boxes that come up while it lives, in turn, by the text of a button (or
// kEscape), and notes what each one said. Once out of answers it escapes, so a box the test did
// not expect shows up as a failure instead of a hang. `onShow` sees each box first, and may close
// it itself.
class BoxAnswerer : public QObject {
  public:
    struct Box {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons;
        Qt::WindowFlags flags;
    };

    explicit BoxAnswerer(QStringList answers = {}, std::function<void(QMessageBox*)> onShow = {})
        : answers_(std::move(answers)), onShow_(std::move(onShow)) {
        connect(&timer_, &QTimer::timeout, this, &BoxAnswerer::answer);
        timer_.start(0);
    }
    QList<Box> seen;

  private:
    void answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        seen.append({box->windowTitle(), box->text(), box->icon(), {}, box->windowFlags()});
        for (QAbstractButton* button : box->buttons())
            seen.back().buttons << button->text().remove(QLatin1Char('&'));
        if (onShow_) onShow_(box);
        if (!box->isVisible()) return;
        const qsizetype chosen =
            seen.back().buttons.indexOf(answers_.isEmpty() ? kEscape : answers_.takeFirst());
        if (chosen >= 0)
            box->buttons()[chosen]->click();
        else
            QTest::keyClick(box, Qt::Key_Escape);
    }

    QStringList answers_;
    std::function<void(QMessageBox*)> onShow_;
    QTimer timer_;
};

// Each control of a window: its place in pixels, and its name and role as assistive
// technologies read them, through the accessibility layer.
struct Control {
    const char* name;
    QRect place;
    const char* spoken;
    QAccessible::Role role;
};
using Layout = std::vector<Control>;

// clang-format off
inline const Layout kDemoLayout{
    {"mainpic", {0, 0, 400, 400}, "Tablero", QAccessible::Canvas},
    {"Text1", {0, 408, 201, 25}, "Resultado", QAccessible::EditableText},
    {"Text2", {0, 440, 201, 19}, "Notas", QAccessible::EditableText},
    {"reiniciar", {208, 408, 57, 17}, "Reiniciar", QAccessible::Button},
    {"CheckIr", {280, 408, 81, 17}, "Ir con Click", QAccessible::CheckBox},
    {"personaje", {240, 440, 17, 13}, "Colocar personaje", QAccessible::CheckBox},
    {"ir", {272, 440, 73, 17}, "Ir a Destino", QAccessible::Button},
    {"imagen2", {208, 432, 24, 24}, "Personaje", QAccessible::Graphic}};
inline const Layout kEditorLayout{
    {"mainpic", {0, 0, 400, 400}, "Tablero", QAccessible::Canvas},
    {"imagen0", {408, 8, 24, 24}, "Pasto", QAccessible::Graphic},
    {"imagen1", {432, 8, 24, 24}, "Agua", QAccessible::Graphic},
    {"imagen7", {408, 40, 24, 24}, "Tierra", QAccessible::Graphic},
    {"imagen8", {432, 40, 24, 24}, "Adoquín", QAccessible::Graphic},
    {"borrar", {408, 328, 49, 25}, "Borrar", QAccessible::Button},
    {"guardar", {408, 368, 49, 25}, "Guardar", QAccessible::Button}};
// clang-format on

// Checks the shown `window` against its program's facts and `layout`: it offers no maximise button
// and is read out by its title.
inline void checkLayout(QWidget& window, const WindowFacts& facts, const Layout& layout) {
    const auto spoken = [](QWidget* widget) {
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(widget);
        return std::pair(read->text(QAccessible::Name), read->role());
    };
    QCOMPARE(window.size(), facts.size);
    QCOMPARE(window.font().pixelSize(), facts.fontPixels);
    QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(spoken(&window), std::pair(QString::fromUtf8(facts.title), QAccessible::Window));
    for (const auto& [name, place, says, role] : layout) {
        auto* control = window.findChild<QWidget*>(QString::fromLatin1(name));
        QVERIFY2(control, name);
        QCOMPARE(spoken(control), std::pair(QString::fromUtf8(says), role));
        QCOMPARE(control->geometry(), place);
    }
}

// While it lives, ends a program run in this process with status 2 once `givesUp` holds or after
// a minute, so that a program that should have ended fails its test instead of hanging it.
class Watchdog {
  public:
    explicit Watchdog(std::function<bool()> givesUp = [] { return false; }) {
        QObject::connect(&timer_, &QTimer::timeout, [this, givesUp = std::move(givesUp)] {
            if (--checksLeft_ < 0 || givesUp()) QCoreApplication::exit(2);
        });
        timer_.start(50);
    }

  private:
    int checksLeft_ = 60 * 20;
    QTimer timer_;
};

}  // namespace marv::testing
