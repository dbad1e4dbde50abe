#pragma once

#include <QFrame>
#include <QImage>
#include <vector>

#include "map/core/board_geometry.h"

namespace marv {

// The board on screen: a 400 × 400 box with a sunken border drawn inside it, showing a kept
// 400 × 400 image from just inside the border. The border takes its pixels from the 400, so the
// last column and row show a little less than 20 pixels.
class BoardView : public QFrame {
    Q_OBJECT
  public:
    explicit BoardView(QWidget* parent = nullptr);

    // The persistent image; draw into it, then present the cells drawn.
    QImage& image() { return image_; }
    const QImage& image() const { return image_; }
    // Puts those cells of the image on screen at the next repaint, and nothing else.
    void present(const std::vector<Cell>& cells);

    // The button as the programs number it (kLeftButton, ... in board_geometry.h).
    static int buttonCode(Qt::MouseButton button);

  signals:
    // A press inside the drawing area, in its pixels.
    void pressed(int button, double x, double y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The board looks the same with or without the focus, so a change of focus repaints nothing.
    void focusInEvent(QFocusEvent*) override {}
    void focusOutEvent(QFocusEvent*) override {}

  private:
    QImage image_;
};

}  // namespace marv
