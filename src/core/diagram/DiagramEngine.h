#pragma once

#include "core/diagram/Canvas.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace airmotor::core {

// The drawing primitives every diagram and printed table goes through. Line widths are given in
// printer dots at 300 dpi and font sizes in printer points; the engine converts them for the window.
class DiagramEngine final {
public:
    explicit DiagramEngine(Canvas& canvas) : canvas_(canvas) {}

    Canvas& canvas() { return canvas_; }
    bool onWindow() const { return canvas_.kind() == CanvasKind::Window; }

    // World rectangle of the last SetScale; markers outside it are not drawn.
    float sngPlotXMin = 0.0f, sngPlotXMax = 0.0f, sngPlotYMin = 0.0f, sngPlotYMax = 0.0f;
    // Clip window for lines and polylines, in world units.
    float sngClipXMin = 0.0f, sngClipXMax = 0.0f, sngClipYMin = 0.0f, sngClipYMax = 0.0f;
    // Value at the ends of the axes and the axis lengths in world units: DrawPolyline maps values
    // onto the axis box with lenX / maxX and lenY / maxY.
    float sngAxisMaxX = 1.0f, sngAxisMaxY = 1.0f, sngAxisLenX = 1.0f, sngAxisLenY = 1.0f;
    float sngPrinterDpi = 300.0f;
    float sngRightEdge = 0.0f;
    std::string strLanguage = "English";

    // origin "Underkant": y points up (top edge y2); anything else: y points down (top edge y1).
    void SetScale(float x1, float y1, float x2, float y2, std::string_view origin);
    void SetLineWidth(std::int16_t w);
    void SetLineStyle(std::int16_t s);
    void SetColour(Rgb colour);
    void DrawLine(float x1, float y1, float x2, float y2, float ys);
    void DrawPoint(float x, float y, int c);
    void DrawMarker(float x, float y, float r, int c, int w);
    // xs and ys are 1-based value arrays (element 0 unused), converted in place to world units.
    // They grow when the curve is densified.
    void DrawPolyline(std::vector<float>& xs, std::vector<float>& ys, int n);
    void DrawText(std::string_view t, float x, float y, float size, bool bold, int anchor);
    void LabelValue(std::string_view label, std::string_view value, float x, float y, float xr);
    void SpeedUnitLabel(float x, float y, float size, int anchor);
    // A dotted grid of xDivisions by yDivisions cells over (0,0)-(lenX,lenY), then the black frame
    // over it; leaves a solid black pen of width 5.
    void DrawGridAndFrame(float lenX, float lenY, int xDivisions, int yDivisions, Rgb gridColour);

    // Device width of a 300-dpi line width on the current canvas.
    int DeviceLineWidth(std::int16_t w) const;
    // Font size the canvas receives for a printer font size.
    float CanvasFontSize(float size) const;
    // Extent of a text at a printer font size, in world units.
    float TextWidth(std::string_view t, float size, bool bold);
    float TextHeight(std::string_view t, float size, bool bold);

    // Cohen-Sutherland against the clip window; false when nothing of the segment is visible.
    bool ClipSegment(float& x1, float& y1, float& x2, float& y2) const;

    static constexpr int kMaxPolylinePoints = 1496;
    static constexpr float kDensifyGap = 7.0f;

private:
    Canvas& canvas_;
    bool yUp_ = true;
};

// Leading blanks removed, as every text primitive does before printing.
std::string_view TrimLeadingBlanks(std::string_view text);

} // namespace airmotor::core
