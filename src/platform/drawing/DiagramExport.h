#pragma once

#include "core/analysis/MotorComparison.h"
#include "core/diagram/ComparisonDiagram.h"
#include "core/diagram/MotorDiagram.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

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

// Paints a chart as the window shows it into an area of 96-dpi device units.
using ChartPainter = std::function<void(QPainter& painter, const QRectF& area)>;

// A chart as the bytes of an .svg, .png or .pdf file, painted in memory; on failure no bytes and an
// error saying what went wrong (without a file name: there is none).
struct ChartBytes {
    QByteArray bytes;
    QString error;
};
ChartBytes RenderChart(const ChartPainter& paint, const QString& format, QSize size, const QString& title);
ChartBytes RenderMotorDiagramFile(const core::MotorDiagramInput& input, const QString& format, QSize size);

// Writes a chart by the file's extension (.svg, .png or .pdf), atomically. Returns an empty string on
// success, else a message naming the file and what went wrong, worded with `strText` (English without).
QString ExportChart(const ChartPainter& paint, const QString& path, QSize size, const QString& title,
                    const core::TextTable* strText = nullptr);

// Writes the chart by the file's extension (.svg, .png or .pdf), atomically (see ExportChart).
QString ExportMotorDiagram(const core::MotorDiagramInput& input, const QString& path, QSize size);

// The comparison diagram: white background, then the chart, as the window shows it.
void PaintComparisonDiagram(QPainter& painter, const QRectF& area, const core::ComparisonPlot& plot);
// The comparison on a landscape A4 sheet at `dpi`: the diagram (scaled from window pixels so lines
// and fonts keep the window's proportions) and the table of figures beside it.
void PaintComparisonPage(QPainter& painter, const QRectF& page, double dpi, const core::ComparisonPlot& plot,
                         const core::MotorComparison& comparison);
// .svg and .png: the diagram at the size; .pdf: the sheet of PaintComparisonPage. Atomic; an empty
// string on success, else a message naming the file and what went wrong.
QString ExportComparison(const core::ComparisonPlot& plot, const core::MotorComparison& comparison,
                         const QString& path, QSize size, const core::TextTable* strText = nullptr);

} // namespace airmotor::platform
