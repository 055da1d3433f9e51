#pragma once

// Layout rules a drawn page or diagram keeps, checked on a recording canvas with a device size.
#include "core/diagram/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace airmotor::core::testing {

using Box = RecordingCanvas::Box;
constexpr float kSlack = 1e-4f; // shares of the surface: rounding, not layout

constexpr float kPrinterDpi = 600.0f;
constexpr float kMillimetre = kPrinterDpi / 25.4f;

inline RecordingCanvas Paper(float widthMm, float heightMm) {
    return RecordingCanvas(CanvasKind::Printer, widthMm * kMillimetre, heightMm * kMillimetre,
                           kPrinterDpi / 72.0f);
}

// A window whose fonts scale with its height as the platform's do.
inline RecordingCanvas Window(float width = 900.0f, float height = 600.0f) {
    return RecordingCanvas(CanvasKind::Window, width, height, std::max(height / 230.0f, 2.6f));
}

// Records as the recording canvas does but measures texts with metrics of its own (a proportional
// font, a bold face wider than the regular one): a room worked out with the wrong measure only shows
// on a surface that tells the faces apart. `spans` holds each text's extent as it was measured.
class MeasuredCanvas final : public Canvas {
public:
    using Metric = std::function<float(const RecordingCanvas&, std::string_view)>;
    struct Span {
        std::string text;
        float left, right, top, bottom, fontSize;
    };
    MeasuredCanvas(RecordingCanvas inner, Metric width, Metric height)
        : recorded(std::move(inner)), width_(std::move(width)), height_(std::move(height)) {}
    CanvasKind kind() const override { return recorded.kind(); }
    void setWorld(float left, float top, float width, float height) override {
        recorded.setWorld(left, top, width, height);
    }
    void setColour(Rgb colour) override { recorded.setColour(colour); }
    void setLineWidth(int width) override { recorded.setLineWidth(width); }
    void setLineStyle(int style) override { recorded.setLineStyle(style); }
    void setFont(float size, bool bold) override { recorded.setFont(size, bold); }
    void line(float x1, float y1, float x2, float y2) override { recorded.line(x1, y1, x2, y2); }
    void polyline(const float* xy, int count) override { recorded.polyline(xy, count); }
    void point(float x, float y, Rgb colour) override { recorded.point(x, y, colour); }
    void circle(float x, float y, float r, Rgb colour) override { recorded.circle(x, y, r, colour); }
    void text(float x, float y, std::string_view utf8) override {
        recorded.text(x, y, utf8);
        spans.push_back(
            {std::string(utf8), x, x + textWidth(utf8), y, y + textHeight(utf8), recorded.state.fontSize});
    }
    float textWidth(std::string_view utf8) const override { return width_(recorded, utf8); }
    float textHeight(std::string_view utf8) const override { return height_(recorded, utf8); }
    const Span* find(const std::string& text) const {
        for (const Span& s : spans)
            if (s.text == text)
                return &s;
        ADD_FAILURE() << "not drawn: " << text;
        return nullptr;
    }

    RecordingCanvas recorded;
    std::vector<Span> spans;

private:
    Metric width_, height_;
};

inline std::string Describe(const RecordingCanvas::Text& t, const Box& b) {
    return "\"" + t.text + "\" at " + std::to_string(b.left) + "," + std::to_string(b.top) + " - " +
           std::to_string(b.right) + "," + std::to_string(b.bottom);
}

inline bool Overlap(const Box& a, const Box& b) {
    return a.left < b.right - kSlack && b.left < a.right - kSlack && a.top < b.bottom - kSlack &&
           b.top < a.bottom - kSlack;
}

// Texts allowed to touch: the raised exponent of the speed unit reaches into the line above.
inline bool MayTouch(const RecordingCanvas::Text& a, const RecordingCanvas::Text& b) {
    return a.text == "-1" || b.text == "-1";
}

// Every text inside the frame (shares of the surface) and clear of every other text and picture.
inline void ExpectApart(const RecordingCanvas& c, const std::string& what, Box frame = {0, 0, 1, 1},
                        const std::vector<Box>& pictures = {}) {
    std::vector<Box> boxes;
    for (const auto& t : c.texts)
        boxes.push_back(c.box(t));
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const Box& b = boxes[i];
        if (c.texts[i].text.empty())
            continue;
        EXPECT_TRUE(b.left >= frame.left - kSlack && b.right <= frame.right + kSlack &&
                    b.top >= frame.top - kSlack && b.bottom <= frame.bottom + kSlack)
            << what << ": outside " << Describe(c.texts[i], b);
        for (std::size_t j = i + 1; j < boxes.size(); ++j)
            if (!c.texts[j].text.empty() && !MayTouch(c.texts[i], c.texts[j])) {
                EXPECT_FALSE(Overlap(b, boxes[j]))
                    << what << ": " << Describe(c.texts[i], b) << " on " << Describe(c.texts[j], boxes[j]);
            }
        for (const Box& p : pictures)
            EXPECT_FALSE(Overlap(b, p)) << what << ": picture under " << Describe(c.texts[i], b);
    }
}

inline bool Numeric(const std::string& t) {
    return !t.empty() && t.find_first_not_of("0123456789.,-") == std::string::npos && t != "-1";
}

// Tick labels stand in rows (under a speed or time axis) or columns (beside a value axis) of at
// least two, right-aligned left of a value axis's line or left-aligned right of it. With one panel,
// the bold titles stand above every one of them.
inline void ExpectAxes(const RecordingCanvas& c, const std::string& what, bool onePanel = true,
                       const std::set<std::string>& curveLabels = {}) {
    // Tick labels share one size and colour; other numbers label curves.
    const auto style = [](const RecordingCanvas::Text& t) {
        return std::tuple{t.state.fontSize, t.state.colour.r, t.state.colour.g, t.state.colour.b};
    };
    std::map<decltype(style(c.texts.front())), int> styles;
    for (const auto& t : c.texts)
        if (Numeric(t.text) && !curveLabels.contains(t.text))
            ++styles[style(t)];
    const auto tickStyle = std::max_element(styles.begin(), styles.end(), [](auto& a, auto& b) {
                               return a.second < b.second;
                           })->first;
    std::vector<Box> ticks;
    std::vector<const RecordingCanvas::Text*> texts;
    for (const auto& t : c.texts)
        if (Numeric(t.text) && !curveLabels.contains(t.text) && style(t) == tickStyle) {
            ticks.push_back(c.box(t));
            texts.push_back(&t);
        }
    ASSERT_GE(ticks.size(), 4u) << what;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        int partners = 0;
        for (std::size_t j = 0; j < ticks.size(); ++j)
            if (i != j && (std::fabs(ticks[i].top - ticks[j].top) < kSlack ||
                           std::fabs(ticks[i].right - ticks[j].right) < kSlack ||
                           std::fabs(ticks[i].left - ticks[j].left) < kSlack))
                ++partners;
        EXPECT_GE(partners, 1) << what << ": a tick label on its own: " << Describe(*texts[i], ticks[i]);
    }
    if (!onePanel)
        return;
    float highest = 1.0f;
    for (const Box& b : ticks)
        highest = std::min(highest, b.top);
    for (const auto& t : c.texts)
        if (t.state.bold) {
            EXPECT_LE(c.box(t).bottom, highest + kSlack) << what << ": " << Describe(t, c.box(t));
        }
}

} // namespace airmotor::core::testing
