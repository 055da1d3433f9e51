#pragma once

#include "core/calculators/CalculationResult.h"
#include "core/calculators/CalculatorLayout.h"
#include "core/diagram/Canvas.h"
#include "core/language/Language.h"

#include <string>

namespace airmotor::core {

// Everything the diagram window draws for a calculation: curves, axes, the main window's diagram
// alternative (which value axes are drawn) and the texts.
struct CalculatorPlot {
    CalculationResult result;
    int alternative = 0; // optDiagramAlternativ 0..5
    std::string title, timeTitle, accelerationTitle, velocityTitle, distanceTitle;
};

CalculatorPlot MakeCalculatorPlot(const CalculatorLayout& layout, const CalculationResult& result,
                                  const TextTable& strText, int alternative);

// Which value axes an alternative shows: acceleration 0, 3, 4, 5; velocity 0, 2, 4, 5; distance 0, 1, 4, 5.
bool ShowsAccelerationAxis(int alternative);
bool ShowsVelocityAxis(int alternative);
bool ShowsDistanceAxis(int alternative);

// The diagram on the window's canvas (the layout of the motor diagram's window).
void DrawCalculatorPlot(Canvas& canvas, const CalculatorPlot& plot);

} // namespace airmotor::core
