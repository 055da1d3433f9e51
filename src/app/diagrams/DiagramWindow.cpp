#include "app/diagrams/DiagramWindow.h"

#include "app/shell/AuxWindowPlacement.h"
#include "platform/drawing/DiagramExport.h"
#include "platform/drawing/PainterCanvas.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace airmotor::app {

DiagramView::DiagramView(InputProvider provider, QWidget* parent)
    : QWidget(parent), provider_(std::move(provider)) {
    setObjectName("DiagramView");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 240);
}

void DiagramView::showCalculatorPlot(core::CalculatorPlot plot) {
    calculator_ = std::move(plot);
    update();
}

void DiagramView::showMotorDiagram() {
    calculator_.reset();
    update();
}

void DiagramView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (calculator_) {
        painter.fillRect(rect(), Qt::white);
        platform::PainterCanvas canvas(painter, QRectF(rect()), core::CanvasKind::Window, logicalDpiX());
        core::DrawCalculatorPlot(canvas, *calculator_);
        return;
    }
    const core::MotorDiagramInput input = provider_ ? provider_() : core::MotorDiagramInput{};
    platform::PaintMotorDiagram(painter, QRectF(rect()), core::CanvasKind::Window, logicalDpiX(), input);
}

DiagramWindow::DiagramWindow(DiagramView::InputProvider provider, QWidget* parent)
    : QWidget(parent, Qt::Window), view_(new DiagramView(std::move(provider), this)),
      cmdHelp_(new QPushButton(QStringLiteral("?"), this)) {
    setObjectName("F2");
    cmdHelp_->setObjectName("cmdHelp");
    cmdHelp_->setFixedWidth(32);
    cmdHelp_->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view_, 1);
    cmdHelp_->raise();
    connect(cmdHelp_, &QPushButton::clicked, this, [this] { emit helpRequested(kHelpTopic); });
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            [this] { emit helpRequested(kHelpTopic); });
    resize(DiagramWindowSize(AvailableScreen(this)));
}

void DiagramWindow::setTexts(const QString& title, const QString& helpTip) {
    if (!title.isEmpty())
        setWindowTitle(title);
    cmdHelp_->setToolTip(helpTip);
}

void DiagramWindow::setHelpButtonVisible(bool visible) {
    cmdHelp_->setVisible(visible);
}

void DiagramWindow::redraw() {
    view_->update();
}

void DiagramWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DiagramWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    cmdHelp_->move(width() - cmdHelp_->width() - 6, 6);
    redraw();
}

void DiagramWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const bool maximised = windowState() & Qt::WindowMaximized;
    if (maximised && intDiagramFlag_ == 1)
        intDiagramFlag_ = 0;
    else if (!maximised && intDiagramFlag_ == 0)
        intDiagramFlag_ = 1;
    redraw();
}

} // namespace airmotor::app
