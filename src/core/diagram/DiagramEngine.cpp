#include "core/diagram/DiagramEngine.h"

#include <cmath>

namespace airmotor::core {

namespace {

enum : unsigned { kLeft = 1, kRight = 2, kBottom = 4, kTop = 8 };

bool Finite(float a, float b, float c, float d) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

struct TextCorner {
    float left, top;
};

// Corner handed to the canvas for a w x h text anchored at (x, y): anchors 1-3 start at x, 4-6 are
// centred on it, 7-9 end at it; 1/4/7 put the corner h above y, 2/5/8 h / 2, 3/6/9 at y.
TextCorner AnchoredCorner(float x, float y, float w, float h, int anchor) {
    float left = x;
    if (anchor >= 4 && anchor <= 6)
        left = x - w / 2.0f;
    else if (anchor >= 7 && anchor <= 9)
        left = x - w;
    float top = y;
    if (anchor == 1 || anchor == 4 || anchor == 7)
        top = y + h;
    else if (anchor == 2 || anchor == 5 || anchor == 8)
        top = y + h / 2.0f;
    return {left, top};
}

} // namespace

std::string_view TrimLeadingBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

void DiagramEngine::SetScale(float x1, float y1, float x2, float y2, std::string_view origin) {
    sngPlotXMin = x1;
    sngPlotYMin = y1;
    sngPlotXMax = x2;
    sngPlotYMax = y2;
    yUp_ = origin == "Underkant";
    if (yUp_)
        canvas_.setWorld(x1, y2, x2 - x1, y1 - y2);
    else
        canvas_.setWorld(x1, y1, x2 - x1, y2 - y1);
}

int DiagramEngine::DeviceLineWidth(std::int16_t w) const {
    if (onWindow()) {
        // Screen pixels are about 3.5 printer dots wide; a line never vanishes.
        const int width = static_cast<int>(static_cast<float>(w) / 3.5f);
        return width < 1 ? 1 : width;
    }
    return static_cast<int>(std::nearbyint(static_cast<float>(w) * sngPrinterDpi / 300.0f));
}

void DiagramEngine::SetLineWidth(std::int16_t w) {
    canvas_.setLineWidth(DeviceLineWidth(w));
}

void DiagramEngine::SetLineStyle(std::int16_t s) {
    canvas_.setLineStyle(s < 0 || s > 4 ? 0 : s);
}

void DiagramEngine::SetColour(Rgb colour) {
    canvas_.setColour(colour);
}

bool DiagramEngine::ClipSegment(float& x1, float& y1, float& x2, float& y2) const {
    const auto code = [this](float x, float y) {
        unsigned c = 0;
        if (x < sngClipXMin)
            c |= kLeft;
        else if (x > sngClipXMax)
            c |= kRight;
        if (y < sngClipYMin)
            c |= kBottom;
        else if (y > sngClipYMax)
            c |= kTop;
        return c;
    };
    // Each pass puts one end onto a clip edge, so a handful of passes always settles.
    for (int pass = 0; pass < 16; ++pass) {
        const unsigned c1 = code(x1, y1);
        const unsigned c2 = code(x2, y2);
        if (c1 == 0 && c2 == 0)
            return true;
        if ((x1 >= sngClipXMax && x2 >= sngClipXMax) || (x1 <= sngClipXMin && x2 <= sngClipXMin) ||
            (y1 >= sngClipYMax && y2 >= sngClipYMax) || (y1 <= sngClipYMin && y2 <= sngClipYMin))
            return false;
        const bool moveSecond = c2 != 0;
        const unsigned c = moveSecond ? c2 : c1;
        // Every edge found is intersected with the segment as it stood before this pass.
        const float ox1 = x1, oy1 = y1, ox2 = x2, oy2 = y2;
        float x = moveSecond ? x2 : x1;
        float y = moveSecond ? y2 : y1;
        if (c & kLeft) {
            x = sngClipXMin;
            y = oy1 + (oy2 - oy1) * (sngClipXMin - ox1) / (ox2 - ox1);
        }
        if (c & kRight) {
            x = sngClipXMax;
            y = oy1 + (oy2 - oy1) * (sngClipXMax - ox1) / (ox2 - ox1);
        }
        if (c & kBottom) {
            y = sngClipYMin;
            x = ox1 + (ox2 - ox1) * (sngClipYMin - oy1) / (oy2 - oy1);
        }
        if (c & kTop) {
            y = sngClipYMax;
            x = ox1 + (ox2 - ox1) * (sngClipYMax - oy1) / (oy2 - oy1);
        }
        if (moveSecond) {
            x2 = x;
            y2 = y;
        } else {
            x1 = x;
            y1 = y;
        }
    }
    return false;
}

void DiagramEngine::DrawGridAndFrame(float lenX, float lenY, int xDivisions, int yDivisions, Rgb gridColour) {
    SetColour(gridColour);
    SetLineWidth(2);
    SetLineStyle(2);
    for (int i = 1; i < xDivisions; ++i) {
        const float x = static_cast<float>(i) * lenX / static_cast<float>(xDivisions);
        DrawLine(x, 0.0f, x, lenY, 1.0f);
    }
    for (int i = 1; i < yDivisions; ++i) {
        const float y = static_cast<float>(i) * lenY / static_cast<float>(yDivisions);
        DrawLine(0.0f, y, lenX, y, 1.0f);
    }
    SetLineStyle(0);
    SetLineWidth(5);
    SetColour(QBColor(0));
    DrawLine(0.0f, 0.0f, lenX, 0.0f, 1.0f);
    DrawLine(0.0f, lenY, lenX, lenY, 1.0f);
    DrawLine(0.0f, 0.0f, 0.0f, lenY, 1.0f);
    DrawLine(lenX, 0.0f, lenX, lenY, 1.0f);
}

void DiagramEngine::DrawLine(float x1, float y1, float x2, float y2, float ys) {
    y1 *= ys;
    y2 *= ys;
    if (!Finite(x1, y1, x2, y2))
        return;
    // A segment wholly inside the clip window needs no clipping; anything else is clipped, so a
    // curve can never run past the axis box into the labels around it.
    if (ClipSegment(x1, y1, x2, y2))
        canvas_.line(x1, y1, x2, y2);
}

void DiagramEngine::DrawPoint(float x, float y, int c) {
    canvas_.point(x, y, QBColor(c));
}

void DiagramEngine::DrawMarker(float x, float y, float r, int c, int w) {
    if (!(sngPlotXMin <= x && x <= sngPlotXMax && sngPlotYMin <= y && y <= sngPlotYMax))
        return;
    SetLineWidth(static_cast<std::int16_t>(w));
    canvas_.circle(x, y, r, QBColor(c));
}

void DiagramEngine::DrawPolyline(std::vector<float>& xs, std::vector<float>& ys, int n) {
    if (n < 1 || xs.size() < static_cast<std::size_t>(n) + 1 || ys.size() < static_cast<std::size_t>(n) + 1)
        return;
    const float fx = sngAxisLenX / sngAxisMaxX;
    const float fy = sngAxisLenY / sngAxisMaxY;
    int count = n;
    for (int i = 1; i <= n; ++i) {
        xs[static_cast<std::size_t>(i)] *= fx;
        ys[static_cast<std::size_t>(i)] *= fy;
    }
    // An unused buffer entry (0, 0) after the first point ends the curve; drawing on to it would
    // pull a line back to the origin.
    for (int i = 2; i <= n; ++i) {
        if (xs[static_cast<std::size_t>(i)] == 0.0f && ys[static_cast<std::size_t>(i)] == 0.0f) {
            count = i - 1;
            break;
        }
    }
    xs.resize(static_cast<std::size_t>(count) + 1);
    ys.resize(static_cast<std::size_t>(count) + 1);

    // Densify: a gap wider than 7 world units gets four points at fifths, until every gap is short
    // enough or the buffer is full.
    bool inserted = true;
    while (inserted && count + 4 <= kMaxPolylinePoints) {
        inserted = false;
        for (int i = 1; i < count && count + 4 <= kMaxPolylinePoints; ++i) {
            const auto a = static_cast<std::size_t>(i);
            const float dx = xs[a + 1] - xs[a];
            const float dy = ys[a + 1] - ys[a];
            if (std::sqrt(dx * dx + dy * dy) <= kDensifyGap)
                continue;
            const float x0 = xs[a], y0 = ys[a];
            for (int k = 1; k <= 4; ++k) {
                const float t = static_cast<float>(k) / 5.0f;
                xs.insert(xs.begin() + static_cast<std::ptrdiff_t>(a + static_cast<std::size_t>(k)),
                          x0 + dx * t);
                ys.insert(ys.begin() + static_cast<std::ptrdiff_t>(a + static_cast<std::size_t>(k)),
                          y0 + dy * t);
            }
            count += 4;
            i += 4;
            inserted = true;
        }
    }

    // Visible pieces that join end to end go to the canvas as one path.
    std::vector<float> run;
    const auto flush = [&] {
        if (run.size() >= 4)
            canvas_.polyline(run.data(), static_cast<int>(run.size() / 2));
        run.clear();
    };
    for (int i = 1; i < count; ++i) {
        const auto a = static_cast<std::size_t>(i);
        float x1 = xs[a], y1 = ys[a], x2 = xs[a + 1], y2 = ys[a + 1];
        if (!Finite(x1, y1, x2, y2) || !ClipSegment(x1, y1, x2, y2)) {
            flush();
            continue;
        }
        if (run.empty() || run[run.size() - 2] != x1 || run[run.size() - 1] != y1) {
            flush();
            run.push_back(x1);
            run.push_back(y1);
        }
        run.push_back(x2);
        run.push_back(y2);
    }
    flush();
}

float DiagramEngine::CanvasFontSize(float size) const {
    if (!onWindow())
        return size;
    return size <= 6.0f ? 1.0f : size - 6.0f;
}

float DiagramEngine::TextWidth(std::string_view t, float size, bool bold) {
    canvas_.setFont(CanvasFontSize(size), bold);
    return canvas_.textWidth(TrimLeadingBlanks(t));
}

float DiagramEngine::TextHeight(std::string_view t, float size, bool bold) {
    canvas_.setFont(CanvasFontSize(size), bold);
    return std::fabs(canvas_.textHeight(TrimLeadingBlanks(t)));
}

void DiagramEngine::DrawText(std::string_view t, float x, float y, float size, bool bold, int anchor) {
    t = TrimLeadingBlanks(t);
    canvas_.setFont(CanvasFontSize(size), bold);
    const float w = canvas_.textWidth(t);
    const float h = std::fabs(canvas_.textHeight(t));
    const TextCorner corner = AnchoredCorner(x, y, w, h, anchor);
    canvas_.text(corner.left, corner.top, t);
}

void DiagramEngine::LabelValue(std::string_view label, std::string_view value, float x, float y, float xr) {
    label = TrimLeadingBlanks(label);
    value = TrimLeadingBlanks(value);
    const float size = onWindow() ? 6.0f : 8.0f;
    canvas_.setFont(CanvasFontSize(size), false);
    const float h = std::fabs(canvas_.textHeight(label.empty() ? value : label));
    const float wv = canvas_.textWidth(value);
    if (onWindow()) {
        canvas_.text(x, y + h, label);
        canvas_.text(xr - wv, y + h, value);
    } else {
        canvas_.text(x + 3.0f, y + h, label);
        canvas_.text(sngRightEdge - 1.0f - wv, y + h, value);
    }
}

void DiagramEngine::SpeedUnitLabel(float x, float y, float size, int anchor) {
    if (strLanguage == "French") {
        DrawText("[tr/mn]", x, y, size, false, anchor);
        return;
    }
    constexpr std::string_view unit = "[min   ]";
    DrawText(unit, x, y, size, false, anchor);
    // Recompute where DrawText put the main text to place the raised exponent inside the blanks.
    canvas_.setFont(CanvasFontSize(size), false);
    const float w = canvas_.textWidth(unit);
    const float h = std::fabs(canvas_.textHeight(unit));
    const float wOpen = canvas_.textWidth("[min");
    const TextCorner corner = AnchoredCorner(x, y, w, h, anchor);
    const float raise = (yUp_ ? 1.0f : -1.0f) * h / 3.0f;
    const float small = 0.8f * size;
    // The exponent sits in the blanks after "[min" whatever the anchor.
    const float xExp = corner.left + wOpen + 0.4f;
    canvas_.setFont(CanvasFontSize(small), false);
    canvas_.text(xExp, corner.top + raise, "-1");
}

} // namespace airmotor::core
