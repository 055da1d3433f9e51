#include "app/maintenance/EditorDiagramWindow.h"

#include "platform/drawing/PainterCanvas.h"

#include <QPainter>

namespace airmotor::app {

namespace {
constexpr QSize kStartSize(1000, 620); // the wide world of curves plus data block, undistorted
}

EditorDiagramWindow::EditorDiagramWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("F2Editor");
    setWindowTitle(QString::fromUtf8("Motordiagram"));
    resize(kStartSize);
}

void EditorDiagramWindow::show(core::EditorDiagram diagram) {
    diagram_ = std::move(diagram);
    QWidget::show();
    raise();
    update();
}

void EditorDiagramWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    platform::PainterCanvas canvas(painter, QRectF(rect()), core::CanvasKind::Window, logicalDpiX());
    core::DrawEditorDiagram(canvas, diagram_);
}

} // namespace airmotor::app
