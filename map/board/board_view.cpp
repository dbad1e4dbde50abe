#include "map/board/board_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

#include "map/board/accessible_role.h"
#include "map/core/board_geometry.h"
#include "map/pictures/picture_set.h"

namespace marv {

BoardView::BoardView(QWidget* parent)
    : QFrame(parent), image_(kBoardPixels, kBoardPixels, kBoardImageFormat) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFixedSize(kBoardPixels, kBoardPixels);
    image_.fill(palette().color(QPalette::Base));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleRole(*this, QAccessible::Canvas);
}

int BoardView::buttonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return kLeftButton;
        case Qt::RightButton:
            return kRightButton;
        case Qt::MiddleButton:
            return kMiddleButton;
        default:
            return kNoButton;
    }
}

void BoardView::present(const std::vector<Cell>& cells) {
    const QRect area = contentsRect();
    for (const Cell cell : cells) {
        const PixelPoint at = cellOrigin(cell);
        update(QRect(area.left() + at.x, area.top() + at.y, kCellPixels, kCellPixels) & area);
    }
}

void BoardView::paintEvent(QPaintEvent* event) {
    const QRect area = contentsRect();
    // Frames repaint cells only; the border costs more than a few cells, and only an expose
    // reaches it.
    if (!area.contains(event->rect())) QFrame::paintEvent(event);
    QPainter painter(this);
    // Whole pixels only: on a scaled screen the board grows without blur.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const QRect& dirty : event->region()) {
        const QRect shown = dirty & area;
        if (!shown.isEmpty()) painter.drawImage(shown, image_, shown.translated(-area.topLeft()));
    }
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    const QRect area = contentsRect();
    const QPointF at = event->position();
    // The whole pixel pressed: a pixel just past the area, such as x = 398, is on the border.
    if (!area.contains(QPoint(qFloor(at.x()), qFloor(at.y())))) return;
    emit pressed(buttonCode(event->button()), at.x() - area.left(), at.y() - area.top());
}

}  // namespace marv
