#include "editor/editor_window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <functional>
#include <iterator>
#include <utility>

#include "editor/editor_program.h"
#include "map/board/accessible_role.h"
#include "map/board/board_view.h"
#include "map/board/tile_layer.h"
#include "map/core/map_file.h"
#include "map/pictures/picture_set.h"
#include "map/startup/fixed_size.h"
#include "map/startup/spanish_texts.h"

namespace marv {
namespace {

// One palette entry: a tile's picture in a sunken box, exactly filling the inside.
class PaletteBox : public QFrame {
  public:
    PaletteBox(int index, std::function<void()> onClick, QWidget* parent)
        : QFrame(parent),
          picture_(PictureSet::shared().imagen(index)),
          onClick_(std::move(onClick)) {
        setObjectName(QStringLiteral("imagen%1").arg(index));
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(2);
        setFocusPolicy(Qt::StrongFocus);
        setAccessibleRole(*this, QAccessible::Graphic);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter(this).drawImage(contentsRect().topLeft(), picture_);
    }
    void mousePressEvent(QMouseEvent* event) override {
        pressed_ = event->button() == Qt::LeftButton;
    }
    // A click is a left press and release on the box; letting go elsewhere changes nothing.
    void mouseReleaseEvent(QMouseEvent* event) override {
        const bool click = pressed_ && event->button() == Qt::LeftButton &&
                           rect().contains(event->position().toPoint());
        pressed_ = false;
        if (click) onClick_();
    }

  private:
    QImage picture_;
    std::function<void()> onClick_;
    bool pressed_ = false;
};

}  // namespace

EditorWindow::EditorWindow(MapLocation map, const MapValues& values, QWidget* parent)
    : QWidget(parent), map_(std::move(map)), model_(values) {
    kEditorWindowFacts.applyTo(*this);
    setAccessibleRole(*this, QAccessible::Window);

    const auto paletteBox = [this](int index, QRect where) {
        auto* box = new PaletteBox(
            index, [this, index] { chooseTile(index); }, this);
        box->setGeometry(where);
        paletteEntries_.emplace_back(index, box);
        return box;
    };
    const auto button = [this](const char* name, const QString& text, QRect where) {
        auto* pushButton = new QPushButton(text, this);
        pushButton->setObjectName(QString::fromLatin1(name));
        pushButton->setGeometry(where);
        return pushButton;
    };

    // Made in tab order, so the focus chain starts out right.
    QWidget* grass = paletteBox(kPasto, {408, 8, 24, 24});
    QWidget* water = paletteBox(kAgua, {432, 8, 24, 24});
    board_ = new BoardView(this);
    board_->setObjectName(QStringLiteral("mainpic"));
    board_->setAccessibleName(QStringLiteral("Tablero"));
    board_->setGeometry(0, 0, 400, 400);
    board_->setFocusPolicy(Qt::StrongFocus);
    QPushButton* guardarButton = button("guardar", QStringLiteral("Guardar"), {408, 368, 49, 25});
    QWidget* earth = paletteBox(kTierra, {408, 40, 24, 24});
    QWidget* paving = paletteBox(kAdoquin, {432, 40, 24, 24});
    QPushButton* borrarButton = button("borrar", QStringLiteral("Borrar"), {408, 328, 49, 25});
    grass->setAccessibleName(QStringLiteral("Pasto"));
    water->setAccessibleName(QStringLiteral("Agua"));
    earth->setAccessibleName(QStringLiteral("Tierra"));
    paving->setAccessibleName(QStringLiteral("Adoquín"));
    QWidget* const order[] = {grass, water, board_, guardarButton, earth, paving, borrarButton};
    for (std::size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    grass->setFocus();
    markChosenEntry();

    connect(board_, &BoardView::pressed, this,
            [this](int, double x, double y) { pressBoard(x, y); });
    connect(borrarButton, &QPushButton::clicked, this, &EditorWindow::borrar);
    connect(guardarButton, &QPushButton::clicked, this, [this] { guardar(); });

    dibujar();
}

void EditorWindow::chooseTile(int index) {
    model_.chooseTile(static_cast<std::int16_t>(index));
    markChosenEntry();
}

void EditorWindow::markChosenEntry() {
    for (const auto& [code, box] : paletteEntries_)
        setAccessibleSelected(*box, code == model_.tileActual());
}

void EditorWindow::pressBoard(double x, double y) {
    // Every button paints, and one press paints one cell.
    if (const auto cell = cellOfPress(x, y)) model_.paint(*cell);
    dibujar();
}

void EditorWindow::borrar() {
    model_.borrar();
    dibujar();
}

bool EditorWindow::guardar() {
    const Status saved = model_.save(map_);
    if (saved) return true;
    QMessageBox box(QMessageBox::Warning, kEditorWindowFacts.boxTitle,
                    QString::fromStdString(saved.error()), QMessageBox::Ok, this);
    nameOkButtonInSpanish(box);
    offerNoMaximise(box);
    box.exec();
    return false;
}

void EditorWindow::dibujar() {
    const auto& changed =
        drawn_.changed([this](Cell cell) { return static_cast<DrawnCells::Key>(model_.at(cell)); });
    for (const Cell cell : changed)
        paintTile(board_->image(), PictureSet::shared().imagen(model_.at(cell)), cellOrigin(cell));
    board_->present(changed);
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    if (!model_.modified()) {
        event->accept();
        return;
    }
    QMessageBox question(
        QMessageBox::Question, kEditorWindowFacts.boxTitle,
        QStringLiteral("¿Guardar los cambios en %1?").arg(QLatin1String(kMapFileName)),
        QMessageBox::NoButton, this);
    QPushButton* yes = question.addButton(QStringLiteral("Sí"), QMessageBox::YesRole);
    QPushButton* no = question.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    QPushButton* cancel = question.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    question.setDefaultButton(yes);
    question.setEscapeButton(cancel);
    offerNoMaximise(question);
    question.exec();

    const QAbstractButton* answer = question.clickedButton();
    if (answer == no || (answer == yes && guardar())) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace marv
