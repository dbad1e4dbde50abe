#include "demo/window/demo_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QStyleOptionFrame>

#include "demo/search/cell_picture.h"
#include "demo/window/demo_program.h"
#include "demo/window/fitted_indicator.h"
#include "demo/window/paint_demo_board.h"
#include "map/board/accessible_role.h"
#include "map/board/board_view.h"
#include "map/pictures/picture_set.h"
#include "map/startup/fixed_size.h"
#include "map/startup/spanish_texts.h"

namespace marv {
namespace {

// The blank a line edit leaves on each side of its text, inside its contents.
constexpr int kLineEditTextMargin = 2;

}  // namespace

DemoWindow::DemoWindow(const MapValues& values, QWidget* parent)
    : QWidget(parent), pictures_(PictureSet::shared()), demo_(*this) {
    kDemoWindowFacts.applyTo(*this);
    setAccessibleRole(*this, QAccessible::Window);

    mainpic_ = new BoardView(this);
    mainpic_->setObjectName("mainpic");
    mainpic_->setAccessibleName("Tablero");
    mainpic_->move(0, 0);

    text1_ = new QLineEdit(this);
    text1_->setObjectName("Text1");
    text1_->setGeometry(0, 408, 201, 25);
    text1_->setAccessibleName("Resultado");
    text1_->setAccessibleDescription(
        "Resultado de la última búsqueda, o si la casilla pulsada con el botón derecho está "
        "abierta o cerrada");
    auto* text2 = new QLineEdit(this);
    text2->setObjectName("Text2");
    text2->setGeometry(0, 440, 201, 19);
    text2->setAccessibleName("Notas");
    text2->setAccessibleDescription("Campo libre: el programa no lo lee ni lo escribe");

    auto* reiniciar = new QPushButton("Reiniciar", this);
    reiniciar->setObjectName("reiniciar");
    reiniciar->setGeometry(208, 408, 57, 17);
    checkIr_ = new QCheckBox("Ir con Click", this);
    checkIr_->setObjectName("CheckIr");
    checkIr_->setAccessibleName("Ir con Click");
    checkIr_->setGeometry(280, 408, 81, 17);
    checkIr_->setStyleSheet("QCheckBox { spacing: 2px; }");
    // Too narrow for its caption: only the tick box shows, beside the character's picture.
    personaje_ = new QCheckBox("Check1", this);
    personaje_->setObjectName("personaje");
    personaje_->setAccessibleName("Colocar personaje");
    personaje_->setGeometry(240, 440, 17, 13);
    fitIndicatorToBox(*personaje_);
    auto* ir = new QPushButton("Ir a Destino", this);
    ir->setObjectName("ir");
    ir->setGeometry(272, 440, 73, 17);

    auto* imagen2 = new QLabel(this);
    imagen2->setObjectName("imagen2");
    imagen2->setAccessibleName("Personaje");
    imagen2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    imagen2->setLineWidth(2);
    imagen2->setGeometry(208, 432, 24, 24);
    imagen2->setPixmap(QPixmap::fromImage(pictures_.imagen(kFiguraPersonaje)));

    timer_.setInterval(kWalkIntervalMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { demo_.walkStep(); });
    connect(mainpic_, &BoardView::pressed, this, [this](int button, double x, double y) {
        demo_.pressBoard(button, x, y, personaje_->isChecked());
    });
    connect(reiniciar, &QPushButton::clicked, this, [this] { demo_.clickReiniciar(); });
    connect(ir, &QPushButton::clicked, this, [this] { demo_.startWalk(); });

    demo_.load(values);
}

DemoWindow::~DemoWindow() {
    timer_.stop();
}

// Repaints only the cells whose picture changed since the last frame: a step changes a few.
void DemoWindow::dibujar() {
    const DemoState& state = demo_.state();
    const auto& changed = drawn_.changed([&state](Cell cell) { return cellPicture(state, cell); });
    for (const Cell cell : changed) paintDemoCell(mainpic_->image(), state, pictures_, cell);
    mainpic_->present(changed);
    emit boardDrawn();
}

void DemoWindow::stopWalkTimer() {
    timer_.stop();
}

void DemoWindow::startWalkTimer() {
    if (!closing_) timer_.start();
}

bool DemoWindow::checkIr() const {
    return checkIr_->isChecked();
}

void DemoWindow::setText1(const std::string& text) {
    const QString line = QString::fromStdString(text);
    // The inspector's line with Verdadero is wider than the field at the window's font: such a
    // line gets a smaller font, down to 8 pixels, so that it shows whole.
    QStyleOptionFrame frame;
    frame.initFrom(text1_);
    const int room = style()->subElementRect(QStyle::SE_LineEditContents, &frame, text1_).width() -
                     2 * kLineEditTextMargin;
    QFont fitted = font();
    while (fitted.pixelSize() > 8 && QFontMetrics(fitted).horizontalAdvance(line) > room)
        fitted.setPixelSize(fitted.pixelSize() - 1);
    text1_->setFont(fitted);
    text1_->setText(line);
    text1_->setCursorPosition(0);
}

bool DemoWindow::yieldUntilNextStep() {
    if (closing_) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (!closing_ && !checkIr()) waitForNextStep();
    return !closing_;
}

// Keeps the window responsive, without spinning, until the step's deadline: a repaint costs far
// less than a period, and a search shown any faster flashes past.
void DemoWindow::waitForNextStep() {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point now = Clock::now();
    if (nextStep_ && *nextStep_ > now) {
        // Rounded up to whole milliseconds, the timer's unit: a step may start a little after
        // its deadline, never before, and the next deadline does not move with it.
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*nextStep_ - now);
        QEventLoop loop;
        QTimer::singleShot(wait, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        pacing_ = &loop;
        loop.exec();
        pacing_ = nullptr;
    }
    // A step more than a period late was held up (the cell-data box, a busy machine) or comes
    // after steps not being watched: pace from it, rather than hurry through steps to catch up.
    const Clock::time_point start = Clock::now();
    if (!nextStep_ || start - *nextStep_ > stepPeriod_) nextStep_ = start;
    *nextStep_ += stepPeriod_;
}

void DemoWindow::showMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, kDemoWindowFacts.boxTitle,
                    QString::fromStdString(text).replace("\r\n", "\n"), QMessageBox::Ok, this);
    nameOkButtonInSpanish(box);
    offerNoMaximise(box);
    openMessage_ = &box;
    box.exec();
}

// Closing may come while a search or the cell-data box is waiting on events further down
// the stack: everything here stays alive until those unwind, and yieldUntilNextStep tells the
// search to stop.
void DemoWindow::closeEvent(QCloseEvent* event) {
    closing_ = true;
    timer_.stop();
    if (pacing_) pacing_->quit();
    if (openMessage_) openMessage_->reject();
    event->accept();
}

}  // namespace marv
