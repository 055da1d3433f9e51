#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/common/Keys.h"
#include "core/diagram/Canvas.h"
#include "core/diagram/MotorDiagram.h"
#include "core/language/Language.h"
#include "core/model/MotorCurves.h"
#include "core/model/PressureFactors.h"

#include <cstdint>
#include <string>
#include <vector>

namespace airmotor::core {

class SelectionSession;

// The compared motors at the available pressure and the duty; SI units.
struct ComparisonDiagramInput {
    struct Motor {
        int row = 0;   // result row, 1-based
        int index = 0; // catalogue index
        std::string designation;
        PressureFactorValues factors; // at the available pressure
    };
    const MotorCatalogue* catalogue = nullptr;
    std::vector<Motor> motors;
    float availablePressure = kReferencePressureBar; // bar
    UnitFactors units;
    std::int16_t intImperialUnits = 0;
    std::string language = "English";
    const TextTable* texts = nullptr;
    bool hasWorkingPoint = false;
    float workingSpeed = 0.0f;  // r/min
    float workingTorque = 0.0f; // Nm
    bool showPower = false;
    bool showAir = false;
};

// Colour and line style of the n-th compared motor: colours that stay apart for the common colour
// vision deficiencies, and a line style of its own so that print in grey still tells them apart.
struct ComparedMotorStyle {
    Rgb colour;
    std::int16_t style = 0;
};
ComparedMotorStyle StyleOfComparedMotor(std::size_t motor);

struct ComparisonCurve {
    std::size_t motor = 0; // position in the input's motors
    CurveQuantity quantity = CurveQuantity::Torque;
    std::vector<float> speed; // r/min
    std::vector<float> value; // display units of the quantity
};

// One value axis: torque always, power and air when asked for, stacked over the shared speed axis.
struct ComparisonPanel {
    CurveQuantity quantity = CurveQuantity::Torque;
    AxisRecord axis;
    int decimals = 0;
    std::string title; // with the unit
};

struct ComparisonLegendEntry {
    ComparedMotorStyle style;
    std::string text;
};

struct ComparisonPlot {
    bool drawable = false;
    std::string title;
    std::string subtitle; // the available pressure
    AxisRecord speed;
    std::vector<ComparisonPanel> panels;
    std::vector<ComparisonCurve> curves;
    std::vector<ComparisonLegendEntry> legend;
    bool showWorkingPoint = false;
    float workingSpeed = 0.0f;  // r/min
    float workingTorque = 0.0f; // display units
    float workingPower = 0.0f;  // display units
    std::string language = "English";
};

ComparisonPlot ComputeComparisonPlot(const ComparisonDiagramInput& input);
void DrawComparisonPlot(Canvas& canvas, const ComparisonPlot& plot);

// The result rows (1-based, valid) of the session as the diagram compares them.
ComparisonDiagramInput ComparisonInputFromSession(const SelectionSession& session,
                                                  const LanguageState& language,
                                                  const std::vector<int>& rows);

} // namespace airmotor::core
