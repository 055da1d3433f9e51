#pragma once

#include <cstdint>
#include <string_view>

namespace airmotor::core {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colour index 0..15 of the classic 16-colour palette; out-of-range indexes give black.
Rgb QBColor(int index);

// The window draws in screen pixels with reduced font sizes; the printer in dots at its resolution.
enum class CanvasKind { Window, Printer };

// A drawing surface addressed in its own user (world) coordinates, set with setWorld. Widths are
// device units (pixels or printer dots): the engine converts its 300-dpi line widths before calling.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual CanvasKind kind() const = 0;

    // Maps the world rectangle onto the whole surface. A negative height makes y point up.
    virtual void setWorld(float left, float top, float width, float height) = 0;

    virtual void setColour(Rgb colour) = 0;
    virtual void setLineWidth(int deviceWidth) = 0;
    // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot.
    virtual void setLineStyle(int style) = 0;
    // Size in points as the canvas understands them (the engine has applied the window reduction).
    virtual void setFont(float size, bool bold) = 0;

    virtual void line(float x1, float y1, float x2, float y2) = 0;
    // One continuous path, so a dash pattern runs along the whole curve. xy holds x0, y0, x1, y1, ...
    virtual void polyline(const float* xy, int pointCount) = 0;
    virtual void point(float x, float y, Rgb colour) = 0;
    // Radius in world x units.
    virtual void circle(float x, float y, float radius, Rgb colour) = 0;
    // (x, y) is the top-left corner of the text box in world coordinates.
    virtual void text(float x, float y, std::string_view utf8) = 0;

    // Extent of the text in the current font, in world units, both positive.
    virtual float textWidth(std::string_view utf8) const = 0;
    virtual float textHeight(std::string_view utf8) const = 0;
};

} // namespace airmotor::core
