#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/common/Keys.h"
#include "core/diagram/Canvas.h"
#include "core/language/Language.h"
#include "core/model/MotorCurves.h"
#include "core/model/PressureFactors.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace airmotor::core {

struct ProductionComparison;

// Everything the motor diagram reads, filled by the window or the CLI from the selection session.
struct MotorDiagramInput {
    const MotorCatalogue* catalogue = nullptr;
    int index = 0; // catalogue index of the current row; 0 = no current motor, nothing is drawn
    std::string strCurrentBenamning;
    PressureFactorValues factors; // at the available pressure
    float sngTillgLuftTryck = kReferencePressureBar;
    int intPressureMode = 0; // diagram alternative 0..5
    UnitFactors units;
    std::int16_t intImperialUnits = 0;
    std::string strLanguage = "English";
    const TextTable* texts = nullptr;
    bool hasWorkingPoint = false;
    float sngArbetsVarvtal = 0.0f; // r/min
    float sngArbetsMoment = 0.0f;  // Nm
    float sngRadStrypning = 0.0f;  // throttle ratio of the current row, 0 = none
    float sngRadTryck = 0.0f;      // reduced pressure of the current row, bar, 0 = none
    bool bolKatalogMode = true;
    bool productionData = false; // the main window's production-data check box
    // The comparison with production records of the motor; its table and "New" curves are drawn
    // when at least one record was used.
    std::shared_ptr<const ProductionComparison> production;
    bool landscapePage = true; // printer page orientation (the window ignores it)
    float printerDpi = 300.0f; // printer resolution: line widths are given in 300-dpi dots
};

enum class CurveQuantity { Torque, Power, Air };

struct PlotCurve {
    CurveQuantity quantity = CurveQuantity::Torque;
    int colour = 0;           // palette index
    std::int16_t width = 14;  // 300-dpi dots
    std::int16_t style = 0;   // line style
    std::vector<float> speed; // r/min
    std::vector<float> value; // display units of the quantity
    std::string label;        // supply pressure of a family member, "" otherwise
};

struct LegendEntry {
    int colour = 0;
    std::int16_t width = 8;
    std::int16_t style = 0;
    std::string text;
};

// A measured point shown with the curves.
struct PlotPoint {
    CurveQuantity quantity = CurveQuantity::Torque;
    float speed = 0.0f; // r/min
    float value = 0.0f; // display units of the quantity
    int colour = 0;
};

// What the diagram shows, computed before anything is drawn.
struct MotorPlot {
    bool drawable = false;
    DiagramScale scale;
    int torqueDecimals = 0, powerDecimals = 0, airDecimals = 0;
    bool colouredLabels = true; // the curve families print their axes in black
    // Tick marks and the air axis line in the quantities' colours; false: black.
    bool colouredGraduations = true;
    // Each value axis labelled at its own label step; otherwise all at the power axis's divisions.
    bool ownAxisSteps = false;
    std::string designation;
    std::string title;    // the alternative's title, centred above the diagram
    std::string subtitle; // pressure line
    std::vector<PlotCurve> curves;
    std::vector<LegendEntry> legend;
    std::vector<PlotPoint> points;
    // World units added right of the window's drawing for a column of text beside the curves.
    float sideColumn = 0.0f;
    bool showWorkingPoint = false;
    float workingSpeed = 0.0f; // r/min
    // The working point is marked on the axis of the quantity the diagram shows: a point at the torque
    // or at the power the duty needs, or, for air curves alone, a line at the working speed.
    CurveQuantity workingQuantity = CurveQuantity::Torque;
    float workingValue = 0.0f; // display units of workingQuantity (unused for Air)
    std::shared_ptr<const ProductionComparison> production; // set when its table is drawn
};

// Supply pressures of the curve families, bar.
inline constexpr float kFamilyPressures[5] = {4.0f, 4.5f, 5.0f, 5.5f, kReferencePressureBar};

MotorPlot ComputeMotorPlot(const MotorDiagramInput& input);
// World rectangle the diagram is drawn in (y up) and the text column beside the curves.
struct PlotFrame {
    float left = 0.0f, bottom = 0.0f, right = 0.0f, top = 0.0f;
    float columnX = 0.0f, columnTop = 0.0f;
};
PlotFrame MotorPlotFrame(const MotorPlot& plot, CanvasKind kind, bool landscapePage);
void DrawMotorPlot(Canvas& canvas, const MotorPlot& plot, const MotorDiagramInput& input);
// Nothing is drawn without a current motor.
void DrawMotorDiagram(Canvas& canvas, const MotorDiagramInput& input);

// Title of a value axis in the input's language, with its unit.
std::string AxisTitle(const MotorDiagramInput& input, CurveQuantity quantity);
// Text of key k, "" without a table.
std::string DiagramText(const MotorDiagramInput& input, int key);

} // namespace airmotor::core
