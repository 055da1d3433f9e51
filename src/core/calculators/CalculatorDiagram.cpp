#include "core/calculators/CalculatorDiagram.h"

#include "core/diagram/DiagramEngine.h"
#include "core/format/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace airmotor::core {

namespace {
constexpr int kTimeTitleKey = 171;
constexpr int kVelocityColour = 9, kAccelerationColour = 12, kGridColour = 8;
// World units of the window: the axis box and the sheet around it, as the motor diagram uses.
constexpr float kLenX = 140.0f, kLenY = 120.0f;
constexpr float kLeft = -27.0f, kRight = 197.0f, kBottom = -27.0f, kTop = 156.0f;
constexpr float kVelocityAxisX = 165.0f, kTick = 1.5f, kGap = 1.2f;
constexpr float kTickSize = 10.0f, kAxisTitleSize = 11.0f, kTitleSize = 12.0f;

const char* DecimalMask(const AxisRecord& axis) {
    static constexpr const char* kMasks[] = {"#0", "#0.0", "#0.00", "#0.000"};
    return kMasks[std::clamp(DecimalsFor(axis.step), 0, 3)];
}

void ValueAxis(DiagramEngine& e, const AxisRecord& axis, float x, int colour, bool left) {
    e.SetColour(QBColor(colour));
    e.SetLineWidth(5);
    e.DrawLine(x, 0.0f, x, kLenY, 1.0f);
    e.SetLineWidth(3);
    for (int i = 0; i <= axis.divisions; ++i) {
        const float y = static_cast<float>(i) * kLenY / static_cast<float>(axis.divisions);
        e.DrawLine(left ? x - kTick : x, y, left ? x : x + kTick, y, 1.0f);
        const std::string label = FormatNumber(i * axis.step, DecimalMask(axis));
        e.DrawText(label, left ? x - kTick - kGap : x + kTick + kGap, y, kTickSize, false, left ? 8 : 2);
    }
}

// Straight segments through (xs[j], ys[j] * factor), in world units of the axis box.
void Segments(DiagramEngine& e, const std::vector<std::pair<float, float>>& points, double timeMax,
              double factor, double distanceMax) {
    const auto wx = [&](float t) {
        return static_cast<float>(static_cast<double>(t) / timeMax * static_cast<double>(kLenX));
    };
    const auto wy = [&](float v) {
        return static_cast<float>(static_cast<double>(v) * factor / distanceMax * static_cast<double>(kLenY));
    };
    for (std::size_t j = 1; j < points.size(); ++j)
        e.DrawLine(wx(points[j - 1].first), wy(points[j - 1].second), wx(points[j].first),
                   wy(points[j].second), 1.0f);
}
} // namespace

bool ShowsAccelerationAxis(int a) {
    return a == 0 || a == 3 || a == 4 || a == 5;
}
bool ShowsVelocityAxis(int a) {
    return a == 0 || a == 2 || a == 4 || a == 5;
}
bool ShowsDistanceAxis(int a) {
    return a == 0 || a == 1 || a == 4 || a == 5;
}

CalculatorPlot MakeCalculatorPlot(const CalculatorLayout& layout, const CalculationResult& result,
                                  const TextTable& strText, int alternative) {
    return CalculatorPlot{result,
                          alternative,
                          strText(layout.diagramTitleKey),
                          strText(kTimeTitleKey),
                          WithoutDotLeader(strText(layout.accelerationTitleKey)),
                          WithoutDotLeader(strText(layout.velocityTitleKey)),
                          WithoutDotLeader(strText(layout.distanceTitleKey))};
}

void DrawCalculatorPlot(Canvas& canvas, const CalculatorPlot& plot) {
    DiagramEngine e(canvas);
    e.SetScale(kLeft, kBottom, kRight, kTop, "Underkant");
    e.sngClipXMin = kLeft;
    e.sngClipXMax = kRight;
    e.sngClipYMin = kBottom;
    e.sngClipYMax = kTop;
    e.SetColour(QBColor(0));
    e.DrawText(plot.title, (kLeft + kRight) / 2.0f, kTop - 1.0f, kTitleSize, true, 6);

    const CalculatorAxes& axes = plot.result.axes;
    if (!axes.time || !axes.velocity || !axes.distance || !axes.acceleration)
        return;
    const AxisRecord& time = *axes.time;
    const int d = axes.velocity->divisions;
    const int timeDivisions = static_cast<int>(std::lround(time.maximum / time.step));

    e.DrawGridAndFrame(kLenX, kLenY, timeDivisions, d, QBColor(kGridColour));
    e.SetLineWidth(3);
    for (int i = 0; i <= timeDivisions; ++i) {
        const float x = static_cast<float>(i) * kLenX / static_cast<float>(timeDivisions);
        e.DrawLine(x, 0.0f, x, -kTick, 1.0f);
        e.DrawText(FormatNumber(i * time.step, DecimalMask(time)), x, -kTick - kGap * 0.5f, kTickSize, false,
                   6);
    }
    const float unitY = -kTick - kGap - e.TextHeight("0", kTickSize, false) - 1.0f;
    e.DrawText(plot.timeTitle, kLenX / 2.0f, unitY, kAxisTitleSize, false, 6);

    // Value axes: acceleration on the left, distance on the right, velocity further out; each caption
    // in its axis's colour, so that a reader can tell which scale a curve is read on.
    const float titleY = kLenY + 2.5f;
    if (ShowsAccelerationAxis(plot.alternative)) {
        ValueAxis(e, *axes.acceleration, 0.0f, kAccelerationColour, true);
        e.DrawText(plot.accelerationTitle, kLeft + 1.0f, titleY, kAxisTitleSize, true, 1);
    }
    if (ShowsDistanceAxis(plot.alternative)) {
        ValueAxis(e, *axes.distance, kLenX, 0, false);
        e.DrawText(plot.distanceTitle, kLenX, titleY + e.TextHeight("Ag", kAxisTitleSize, true) * 1.15f,
                   kAxisTitleSize, true, 4);
    }
    if (ShowsVelocityAxis(plot.alternative)) {
        ValueAxis(e, *axes.velocity, kVelocityAxisX, kVelocityColour, false);
        e.DrawText(plot.velocityTitle, kRight - 1.0f, titleY, kAxisTitleSize, true, 7);
    }

    // Curves inside the axis box, all in distance-axis units.
    e.sngClipXMin = 0.0f;
    e.sngClipYMin = 0.0f;
    e.sngClipXMax = kLenX;
    e.sngClipYMax = kLenY;
    const CalculatorCurves& c = plot.result.curves;
    const double distanceMax = axes.distance->maximum;
    e.sngAxisLenX = kLenX;
    e.sngAxisLenY = kLenY;
    e.sngAxisMaxX = static_cast<float>(time.maximum);
    e.sngAxisMaxY = static_cast<float>(distanceMax);
    std::vector<float> xs(kCurvePoints + 1), ys(kCurvePoints + 1);
    std::copy(c.time.begin(), c.time.end(), xs.begin() + 1);
    std::copy(c.distance.begin(), c.distance.end(), ys.begin() + 1);
    e.SetColour(QBColor(0));
    e.SetLineWidth(14);
    e.DrawPolyline(xs, ys, kCurvePoints);

    std::vector<std::pair<float, float>> velocity{{0.0f, plot.result.curveStart}};
    std::vector<std::pair<float, float>> acceleration;
    for (int j = 1; j < kCurvePoints; ++j) {
        velocity.emplace_back(c.time[j], c.velocity[j]);
        acceleration.emplace_back(c.time[j], c.acceleration[j]);
    }
    e.SetColour(QBColor(kVelocityColour));
    Segments(e, velocity, time.maximum, distanceMax / axes.velocity->maximum, distanceMax);
    e.SetColour(QBColor(kAccelerationColour));
    Segments(e, acceleration, time.maximum, distanceMax / axes.acceleration->maximum, distanceMax);
}

} // namespace airmotor::core
