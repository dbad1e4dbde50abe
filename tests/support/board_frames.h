#pragma once

#include <QImage>
#include <QScreen>
#include <QWidget>

#include "map/board/board_view.h"

namespace marv::testing {

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

}  // namespace marv::testing
