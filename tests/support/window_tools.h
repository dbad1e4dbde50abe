#pragma once

#include <QApplication>
#include <QEvent>
#include <QPoint>
#include <QWidget>
#include <functional>

#include "board_text.h"
#include "map/board/board_view.h"

namespace marv::testing {

// The centre of a cell in the board widget's own coordinates, inside its border.
inline QPoint cellCentre(const BoardView* board, Cell cell) {
    const PixelPoint centre = cellCentre(cell);
    return board->contentsRect().topLeft() + QPoint(centre.x, centre.y);
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
    explicit PaintCounter(QWidget* widget, std::function<void(int)> onPaint = {})
        : onPaint_(std::move(onPaint)) {
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

}  // namespace marv::testing
