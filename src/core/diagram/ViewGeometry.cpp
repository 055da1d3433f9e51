#include "core/diagram/ViewGeometry.h"

#include <utility>

namespace airmotor::core {

namespace {

double AuxWindowHeight(double screenHeight) {
    return screenHeight < 15000.0 ? 7000.0 : screenHeight / 2.0;
}

} // namespace

ViewRect DiagramWindowRect(double screenWidth, double screenHeight) {
    ViewRect r;
    r.height = AuxWindowHeight(screenHeight);
    r.width = 1.33 * r.height;
    r.left = screenWidth - r.width;
    r.top = 0.0;
    return r;
}

ViewRect DrawingWindowRect(double screenWidth, double screenHeight) {
    ViewRect r = DiagramWindowRect(screenWidth, screenHeight);
    r.top = screenHeight - r.height;
    return r;
}

std::optional<ViewRect> ZoomSourceRect(double x1, double y1, double x2, double y2, double controlWidth,
                                       double controlHeight) {
    if (x1 == x2 || y1 == y2 || controlWidth <= 0.0 || controlHeight <= 0.0)
        return std::nullopt;
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    const double controlRatio = controlWidth / controlHeight;
    const double selectionRatio = (x2 - x1) / (y2 - y1);
    ViewRect r;
    r.left = x1;
    r.top = y1;
    if (controlRatio < selectionRatio) {
        r.width = x2 - x1;
        r.height = (x2 - x1) / controlRatio;
    } else {
        r.width = controlRatio * (y2 - y1);
        r.height = y2 - y1;
    }
    return r;
}

} // namespace airmotor::core
