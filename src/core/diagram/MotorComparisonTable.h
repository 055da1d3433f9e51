#pragma once

#include "core/analysis/MotorComparison.h"
#include "core/diagram/Canvas.h"

namespace airmotor::core {

// Width and height of the table's world in millimetres: the right-hand part of a landscape sheet.
inline constexpr float kComparisonTableWidth = 100.0f;
inline constexpr float kComparisonTableHeight = 170.0f;

// The comparison table on paper (a printer canvas whose world the function sets to the table's
// millimetres): one column per motor headed by its row and its line sample, every figure with its
// unit, the best values bold with a star.
void DrawMotorComparisonTable(Canvas& canvas, const MotorComparison& comparison);

} // namespace airmotor::core
