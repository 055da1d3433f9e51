#pragma once

#include "core/diagram/Canvas.h"
#include "core/printing/DataSheet.h"

#include <vector>

namespace airmotor::core {

// A picture the platform paints after the text, in millimetres from the sheet's top-left corner.
// The picture is fitted into the rectangle keeping its own proportions, centred.
struct PictureSlot {
    enum class Kind { Logo, Drawing, ExSign };
    Kind kind = Kind::Logo;
    float x = 0.0f, y = 0.0f, width = 0.0f, height = 0.0f;
};

// A4 in millimetres.
inline constexpr float kSheetShort = 210.0f;
inline constexpr float kSheetLong = 297.0f;

// Draws one copy of the printout (texts, diagram, data block) on a canvas that covers the whole
// A4 sheet in the plan's orientation; printerDpi is the device resolution (line widths). Returns
// where the logo, the dimension drawing and the Ex sign go.
std::vector<PictureSlot> DrawPrintoutPage(Canvas& canvas, const PrintoutPlan& plan, float printerDpi);

} // namespace airmotor::core
