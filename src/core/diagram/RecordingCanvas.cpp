#include "core/diagram/RecordingCanvas.h"

#include <cmath>

namespace airmotor::core {

void RecordingCanvas::setWorld(float left, float top, float width, float height) {
    worldLeft = left;
    worldTop = top;
    worldWidth = width;
    worldHeight = height;
    state.world = {left, top, width, height};
}

void RecordingCanvas::polyline(const float* xy, int pointCount) {
    polylines.push_back({std::vector<float>(xy, xy + 2 * pointCount), state});
}

float RecordingCanvas::characters(std::string_view utf8) const {
    if (deviceWidth_ <= 0.0f)
        return static_cast<float>(utf8.size());
    float n = 0.0f;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0u) != 0x80u) // not a continuation byte
            n += 1.0f;
    return n;
}

float RecordingCanvas::textWidth(std::string_view utf8) const {
    const float width = 0.6f * state.fontSize * characters(utf8);
    if (deviceWidth_ <= 0.0f)
        return width;
    return width * pixelsPerPoint_ / deviceWidth_ * std::fabs(worldWidth);
}

float RecordingCanvas::textHeight(std::string_view) const {
    if (deviceHeight_ <= 0.0f)
        return state.fontSize;
    return state.fontSize * pixelsPerPoint_ / deviceHeight_ * std::fabs(worldHeight);
}

RecordingCanvas::Box RecordingCanvas::box(const Text& t) const {
    const World& w = t.state.world;
    const float left = (t.x - w.left) / w.width;
    const float top = (t.y - w.top) / w.height;
    const float width = 0.6f * t.state.fontSize * characters(t.text) * pixelsPerPoint_ / deviceWidth_;
    const float height = t.state.fontSize * pixelsPerPoint_ / deviceHeight_;
    return {left, top, left + width, top + height};
}

const RecordingCanvas::Text* RecordingCanvas::findText(std::string_view text) const {
    for (const auto& t : texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

std::vector<RecordingCanvas::Line> RecordingCanvas::segments() const {
    std::vector<Line> all = lines;
    for (const auto& p : polylines)
        for (std::size_t i = 2; i + 1 < p.xy.size(); i += 2)
            all.push_back({p.xy[i - 2], p.xy[i - 1], p.xy[i], p.xy[i + 1], p.state});
    return all;
}

} // namespace airmotor::core
