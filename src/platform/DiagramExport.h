#pragma once

#include "core/diagram/MotorDiagram.h"

#include <QImage>
#include <QSize>
#include <QString>

class QPainter;
class QRectF;

namespace airmotor::platform {

// Draws the motor diagram into a painter area: white background, then the chart.
void PaintMotorDiagram(QPainter& painter, const QRectF& area, core::CanvasKind kind, double dpi,
                       const core::MotorDiagramInput& input);

// The chart on a printer page (A4 in either orientation, the page's whole paint rectangle): the
// printer layout of the diagram in millimetres, line widths and fonts at the device's resolution.
void PaintMotorDiagramPage(QPainter& painter, const QRectF& page, double dpi, core::MotorDiagramInput input);

// The chart as the diagram window shows it, at the given pixel size.
QImage RenderMotorDiagram(const core::MotorDiagramInput& input, QSize size);

// Writes the chart by the file's extension (.svg, .png or .pdf), atomically. Returns an empty
// string on success, else a message naming the file and what went wrong.
QString ExportMotorDiagram(const core::MotorDiagramInput& input, const QString& path, QSize size);

} // namespace airmotor::platform
