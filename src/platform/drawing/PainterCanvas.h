#pragma once

#include "core/diagram/Canvas.h"

#include <QColor>
#include <QFont>
#include <QRectF>

class QPainter;

namespace airmotor::platform {

// One QPainter adapter for every back end: widget, QImage/PNG, SVG, PDF and printer pages.
// World coordinates are mapped by hand (not through the painter's transform) so pen widths stay
// in device units and text is never stretched.
class PainterCanvas final : public core::Canvas {
public:
    // deviceRect: the area of the paint device the world rectangle covers. dpi: device resolution,
    // used for printer font points. On the window kind, font sizes scale with the area's height so
    // the diagram keeps its proportions when the window is resized.
    PainterCanvas(QPainter& painter, QRectF deviceRect, core::CanvasKind kind, double dpi = 96.0);

    core::CanvasKind kind() const override { return kind_; }
    void setWorld(float left, float top, float width, float height) override;
    void setColour(core::Rgb colour) override;
    void setLineWidth(int deviceWidth) override;
    void setLineStyle(int style) override;
    void setFont(float size, bool bold) override;
    void line(float x1, float y1, float x2, float y2) override;
    void polyline(const float* xy, int pointCount) override;
    void point(float x, float y, core::Rgb colour) override;
    void circle(float x, float y, float radius, core::Rgb colour) override;
    void text(float x, float y, std::string_view utf8) override;
    float textWidth(std::string_view utf8) const override;
    float textHeight(std::string_view utf8) const override;

    // The family used for diagram texts: a Helvetica-like face where installed.
    static QString DiagramFontFamily();

private:
    QPointF map(float x, float y) const;
    void applyPen();

    QPainter& painter_;
    QRectF device_;
    core::CanvasKind kind_;
    double dpi_;
    double worldLeft_ = 0.0, worldTop_ = 0.0, worldWidth_ = 1.0, worldHeight_ = 1.0;
    QColor colour_{Qt::black};
    int width_ = 1;
    Qt::PenStyle style_ = Qt::SolidLine;
    QFont font_;
};

} // namespace airmotor::platform
