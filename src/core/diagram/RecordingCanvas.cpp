#include "core/diagram/RecordingCanvas.h"

namespace airmotor::core {

void RecordingCanvas::setWorld(float left, float top, float width, float height) {
    worldLeft = left;
    worldTop = top;
    worldWidth = width;
    worldHeight = height;
}

void RecordingCanvas::polyline(const float* xy, int pointCount) {
    polylines.push_back({std::vector<float>(xy, xy + 2 * pointCount), state});
}

float RecordingCanvas::textWidth(std::string_view utf8) const {
    return 0.6f * state.fontSize * static_cast<float>(utf8.size());
}

float RecordingCanvas::textHeight(std::string_view) const {
    return state.fontSize;
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
