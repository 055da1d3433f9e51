#pragma once

#include "core/diagram/Canvas.h"

#include <string>
#include <vector>

namespace airmotor::core {

// Keeps every drawing call with the state it was made in; text extents follow a fixed
// character cell so layouts can be checked without a font system.
class RecordingCanvas final : public Canvas {
public:
    struct World {
        float left = 0.0f, top = 0.0f, width = 0.0f, height = 0.0f;
    };
    struct State {
        World world; // the one set when the call was made
        Rgb colour;
        int width = 1;
        int style = 0;
        float fontSize = 0.0f;
        bool bold = false;
    };
    struct Line {
        float x1, y1, x2, y2;
        State state;
    };
    struct Polyline {
        std::vector<float> xy;
        State state;
    };
    struct Point {
        float x, y;
        Rgb colour;
    };
    struct Circle {
        float x, y, r;
        Rgb colour;
        State state;
    };
    struct Text {
        float x, y; // top-left corner
        std::string text;
        State state;
    };

    explicit RecordingCanvas(CanvasKind kind = CanvasKind::Window) : kind_(kind) {}
    // A surface of width x height device pixels on which a font point is pixelsPerPoint pixels:
    // text extents then scale with the world as a painter's do, so a layout can be checked on a
    // page of real proportions.
    RecordingCanvas(CanvasKind kind, float width, float height, float pixelsPerPoint)
        : kind_(kind), deviceWidth_(width), deviceHeight_(height), pixelsPerPoint_(pixelsPerPoint) {}

    CanvasKind kind() const override { return kind_; }
    void setWorld(float left, float top, float width, float height) override;
    void setColour(Rgb colour) override { state.colour = colour; }
    void setLineWidth(int deviceWidth) override { state.width = deviceWidth; }
    void setLineStyle(int style) override { state.style = style; }
    void setFont(float size, bool bold) override {
        state.fontSize = size;
        state.bold = bold;
    }
    void line(float x1, float y1, float x2, float y2) override { lines.push_back({x1, y1, x2, y2, state}); }
    void polyline(const float* xy, int pointCount) override;
    void point(float x, float y, Rgb colour) override { points.push_back({x, y, colour}); }
    void circle(float x, float y, float radius, Rgb colour) override {
        circles.push_back({x, y, radius, colour, state});
    }
    void text(float x, float y, std::string_view utf8) override {
        texts.push_back({x, y, std::string(utf8), state});
    }
    // One character is 0.6 x fontSize wide and the line fontSize high: world units without a device
    // size, points with one.
    float textWidth(std::string_view utf8) const override;
    float textHeight(std::string_view utf8) const override;

    const Text* findText(std::string_view text) const;
    // Every straight piece drawn, whether as a line or as part of a polyline.
    std::vector<Line> segments() const;
    // Where a text lies on the surface, as shares of its width and height from the top-left corner
    // (a canvas with a device size only).
    struct Box {
        float left, top, right, bottom;
    };
    Box box(const Text& t) const;

    float worldLeft = 0.0f, worldTop = 0.0f, worldWidth = 0.0f, worldHeight = 0.0f;
    State state;
    std::vector<Line> lines;
    std::vector<Polyline> polylines;
    std::vector<Point> points;
    std::vector<Circle> circles;
    std::vector<Text> texts;

private:
    float characters(std::string_view utf8) const;

    CanvasKind kind_;
    float deviceWidth_ = 0.0f, deviceHeight_ = 0.0f, pixelsPerPoint_ = 0.0f;
};

} // namespace airmotor::core
