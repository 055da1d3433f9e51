#pragma once

#include <optional>

namespace airmotor::core {

struct ViewRect {
    double left = 0.0, top = 0.0, width = 0.0, height = 0.0;
};

// Size and place of the diagram and drawing windows, in twips (1/1440 inch): 7000 high on a screen
// lower than 15000, else half the screen; 1.33 times as wide; at the right edge. The diagram window
// sits at the top, the drawing window at the bottom (its top = screen height - diagram height).
ViewRect DiagramWindowRect(double screenWidth, double screenHeight);
ViewRect DrawingWindowRect(double screenWidth, double screenHeight);

// Source rectangle for a rectangle dragged over the drawing (picture coordinates, corners in any
// order), widened or heightened to the control's aspect so the zoom never distorts. std::nullopt for
// a drag of zero width or height.
std::optional<ViewRect> ZoomSourceRect(double x1, double y1, double x2, double y2, double controlWidth,
                                       double controlHeight);

} // namespace airmotor::core
