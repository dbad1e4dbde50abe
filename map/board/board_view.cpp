#include "map/board/board_view.h"

#include <QMouseEvent>
#include <QPainter>

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

void BoardView::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.setClipRect(area);
    // Whole pixels only: on a scaled screen the board grows without blur.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(area.topLeft(), image_);
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    const QRect area = contentsRect();
    const QPointF at = event->position();
    if (!QRectF(area).contains(at)) return;  // on the border
    emit pressed(buttonCode(event->button()), at.x() - area.left(), at.y() - area.top());
}

}  // namespace marv
