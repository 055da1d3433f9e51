#include "core/diagram/MotorDiagram.h"

#include "core/diagram/ComparisonTable.h"
#include "core/diagram/DiagramEngine.h"
#include "core/format/NumberFormat.h"
#include "core/selection/Designation.h"

#include <algorithm>
#include <cmath>

namespace airmotor::core {

namespace {

constexpr int kTorqueColour = 12;
constexpr int kPowerColour = 2;
constexpr int kAirColour = 9;
constexpr int kGridColour = 8;
// 300-dpi dots: thinner than any curve, so the line does not read as one.
constexpr std::int16_t kWorkingSpeedLineWidth = 4;
// 300-dpi dots: the production curves, dashed, beside the catalogue curves of width 10.
constexpr std::int16_t kProductionCurveWidth = 6;

// Which quantities one plotter call draws.
struct CurveSet {
    bool torque = false;
    bool power = false;
    bool air = false;
};

struct CurveStyle {
    std::int16_t width = 14;
    std::int16_t style = 0;
    int colour = -1; // -1: the quantity's own colour
};

// Samples the catalogue curves of motor k with torque factor fm, speed factor fn and air factor fl.
// The sampled variable is the catalogue (6.3 bar) speed x; a point is drawn at speed fn * x. The end
// speed is 1.03 x the top speed; a governed PGW motor and a motor with a maximum allowed speed end
// at the same drawn speed whatever the pressure, so their end is divided by fn.
void PlotCurves(const MotorDiagramInput& in, const DiagramScale& scale, float fm, float fn, float fl,
                CurveSet set, CurveStyle style, const std::string& label, std::vector<PlotCurve>& out) {
    const MotorCatalogue& cat = *in.catalogue;
    const int k = in.index;
    const auto idx = static_cast<std::size_t>(k);
    float top = scale.sngTopVarv;
    if (Series(in.strCurrentBenamning) == "PGW")
        top = top / fn;
    float end = 1.03f * top;
    if (cat.sngMax_VarvDiagram[idx] > 0)
        end = static_cast<float>(cat.sngMax_VarvDiagram[idx]) / fn;
    const float start = scale.sngStartVarv;
    if (!(end > start) || !std::isfinite(end) || !std::isfinite(start))
        return;
    const float h = (end - start) / static_cast<float>(kCurveSteps);

    const auto emptyCurve = [&](CurveQuantity quantity, int ownColour) {
        return PlotCurve{
            quantity, style.colour < 0 ? ownColour : style.colour, style.width, style.style, {}, {}, label};
    };
    PlotCurve torque = emptyCurve(CurveQuantity::Torque, kTorqueColour);
    PlotCurve power = emptyCurve(CurveQuantity::Power, kPowerColour);
    PlotCurve air = emptyCurve(CurveQuantity::Air, kAirColour);
    const float limit = 1.0001f * end;
    for (int step = 0; step <= kCurveSteps + 1; ++step) {
        const float x = start + static_cast<float>(step) * h;
        if (x > limit)
            break;
        const float n = fn * x;
        const float t = fm * TorquePolynomial(cat, k, x); // Nm
        if (set.torque) {
            torque.speed.push_back(n);
            torque.value.push_back(t / in.units.sngUnitTorque);
        }
        if (set.power) {
            power.speed.push_back(n);
            power.value.push_back(PowerAt(t, n) / in.units.sngUnitPower);
        }
        if (set.air) {
            air.speed.push_back(n);
            air.value.push_back(fl * AirPolynomial(cat, k, x) / in.units.sngUnitAir);
        }
    }
    if (set.torque)
        out.push_back(std::move(torque));
    if (set.power)
        out.push_back(std::move(power));
    if (set.air)
        out.push_back(std::move(air));
}

std::string JoinTexts(const std::string& a, const std::string& b) {
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    return a + " " + b;
}

std::string PressureText(const MotorDiagramInput& in, float bar) {
    std::string mask = DiagramText(in, 60);
    if (mask.empty())
        mask = in.intImperialUnits == 1 ? "##0" : "#0.0";
    const double shown = in.intImperialUnits == 1 ? static_cast<double>(bar / in.units.sngUnitPressure)
                                                  : static_cast<double>(bar);
    return FormatNumber(shown, mask);
}

// Curve labels of a family: bar with one decimal, psi whole.
std::string FamilyLabel(const MotorDiagramInput& in, float bar) {
    if (in.intImperialUnits == 1)
        return FormatNumber(static_cast<double>(bar / in.units.sngUnitPressure), "##0");
    return FormatNumber(static_cast<double>(bar), "#0.0");
}

std::string PressureLine(const MotorDiagramInput& in, int key, float bar) {
    std::string line = DiagramText(in, key);
    if (!line.empty())
        line += ' ';
    line += PressureText(in, bar);
    line += ' ';
    line += DiagramText(in, 56);
    return line;
}

int AxisDecimals(const AxisRecord& axis) {
    return std::clamp(DecimalsFor(axis.labelStep > 0.0 ? axis.labelStep : axis.step), 0, 3);
}

const char* DecimalMask(int decimals) {
    static constexpr const char* masks[] = {"#0", "#0.0", "#0.00", "#0.000"};
    return masks[std::clamp(decimals, 0, 3)];
}

} // namespace

std::string AxisTitle(const MotorDiagramInput& input, CurveQuantity quantity) {
    // The caption texts name the quantity with its unit ("Torque [Nm]", imperial units included);
    // the bare unit texts serve when a table lacks them.
    const int named = quantity == CurveQuantity::Torque ? 84 : quantity == CurveQuantity::Power ? 86 : 99;
    const int unit = quantity == CurveQuantity::Torque ? 58 : quantity == CurveQuantity::Power ? 57 : 59;
    std::string title = DiagramText(input, named);
    return title.empty() ? DiagramText(input, unit) : title;
}

std::string DiagramText(const MotorDiagramInput& input, int key) {
    return input.texts ? (*input.texts)(key) : std::string();
}

MotorPlot ComputeMotorPlot(const MotorDiagramInput& in) {
    MotorPlot plot;
    if (!in.catalogue || in.index <= 0 || in.index > in.catalogue->intAntalMotorer)
        return plot;
    const MotorCatalogue& cat = *in.catalogue;
    const auto idx = static_cast<std::size_t>(in.index);
    plot.designation = in.strCurrentBenamning.empty() ? cat.strBenamning[idx] : in.strCurrentBenamning;
    plot.scale =
        CurrentMotorScale(cat, in.index, in.factors, in.units, in.intPressureMode, in.bolKatalogMode);
    const DiagramScale& s = plot.scale;
    plot.drawable = s.speed.maximum > 0.0 && s.speed.step > 0.0 && s.power.divisions > 0 &&
                    s.torque.maximum > 0.0 && s.air.maximum > 0.0 && s.power.maximum > 0.0;
    plot.torqueDecimals = AxisDecimals(s.torque);
    plot.powerDecimals = AxisDecimals(s.power);
    plot.airDecimals = AxisDecimals(s.air);
    if (!plot.drawable)
        return plot;

    MotorDiagramInput motor = in;
    motor.strCurrentBenamning = plot.designation;
    const int mode = in.intPressureMode;
    const PressureFactorValues& f = in.factors;

    if (mode == 0 || mode == 5) {
        CurveStyle main;
        if (mode == 0)
            main.width = in.productionData ? 10 : 14;
        else
            main.width = 8;
        PlotCurves(motor, s, f.sngKm, f.sngKn, f.sngKl, {true, true, true}, main, {}, plot.curves);
        if (mode == 5) {
            plot.title = DiagramText(in, 50);
            plot.subtitle = PressureLine(in, 224, in.sngTillgLuftTryck);
        } else {
            plot.subtitle = PressureLine(in, 17, in.sngTillgLuftTryck);
        }
        if (mode == 0 && in.productionData && in.production && in.production->shown()) {
            // The production means as correction factors of the catalogue curves.
            const PressureFactorValues& p = in.production->factors;
            PlotCurves(motor, s, p.sngKm, p.sngKn, p.sngKl, {true, true, true},
                       {kProductionCurveWidth, 1, -1}, {}, plot.curves);
            plot.production = in.production;
            plot.legend.push_back({kTorqueColour, main.width, 0, "Katalog"});
            plot.legend.push_back({kTorqueColour, kProductionCurveWidth, 1,
                                   "Produktion (" + std::to_string(in.production->count) + ")"});
        }
        if (mode == 0 && (in.sngRadStrypning != 0.0f || in.sngRadTryck != 0.0f)) {
            plot.legend.push_back(
                {kTorqueColour, main.width, 0, JoinTexts(DiagramText(in, 17), DiagramText(in, 18))});
        }
        if (mode == 0 && in.sngRadStrypning != 0.0f) {
            // The throttle ratio already holds the speed factor of the available pressure.
            PlotCurves(motor, s, f.sngKm, in.sngRadStrypning, f.sngKl, {true, true, false},
                       {2, 1, kTorqueColour}, {}, plot.curves);
            plot.legend.push_back({kTorqueColour, 2, 1, JoinTexts(DiagramText(in, 19), DiagramText(in, 39))});
        }
        if (mode == 0 && in.sngRadTryck != 0.0f) {
            PressureFactorValues reduced = f;
            PressureFactors(in.sngRadTryck, plot.designation, reduced);
            PlotCurves(motor, s, reduced.sngKm, reduced.sngKn, reduced.sngKl, {true, true, false},
                       {7, 1, kAirColour}, {}, plot.curves);
            plot.legend.push_back({kAirColour, 7, 1, PressureLine(in, 20, in.sngRadTryck)});
        }
    } else if (mode >= 1 && mode <= 4) {
        static constexpr int titleKeys[] = {46, 47, 48, 49};
        plot.title = DiagramText(in, titleKeys[mode - 1]);
        plot.colouredLabels = false;
        plot.colouredGraduations = false;
        CurveSet set;
        set.torque = mode == 1 || mode == 2;
        set.power = mode == 1 || mode == 3;
        set.air = mode == 1 || mode == 4;
        PressureFactorValues family = f;
        for (float p : kFamilyPressures) {
            PressureFactors(p, plot.designation, family);
            const std::size_t first = plot.curves.size();
            PlotCurves(motor, s, family.sngKm, family.sngKn, family.sngKl, set, {8, 0, 0}, FamilyLabel(in, p),
                       plot.curves);
            // All curves are black: in the combined family the quantities differ by line style.
            if (mode == 1)
                for (std::size_t c = first; c < plot.curves.size(); ++c)
                    plot.curves[c].style = plot.curves[c].quantity == CurveQuantity::Torque  ? 0
                                           : plot.curves[c].quantity == CurveQuantity::Power ? 1
                                                                                             : 3;
        }
        if (mode == 1) {
            plot.legend.push_back({0, 8, 0, AxisTitle(in, CurveQuantity::Torque)});
            plot.legend.push_back({0, 8, 1, AxisTitle(in, CurveQuantity::Power)});
            plot.legend.push_back({0, 8, 3, AxisTitle(in, CurveQuantity::Air)});
        }
        plot.subtitle = JoinTexts(DiagramText(in, 17), "[" + DiagramText(in, 56) + "]");
    }

    if (in.hasWorkingPoint) {
        plot.showWorkingPoint = true;
        plot.workingSpeed = in.sngArbetsVarvtal;
        if (mode == 3) {
            plot.workingQuantity = CurveQuantity::Power;
            plot.workingValue = PowerAt(in.sngArbetsMoment, in.sngArbetsVarvtal) / in.units.sngUnitPower;
        } else if (mode == 4) {
            plot.workingQuantity = CurveQuantity::Air;
        } else {
            plot.workingValue = in.sngArbetsMoment / in.units.sngUnitTorque;
        }
    }
    return plot;
}

namespace {

struct Layout {
    float lenX, lenY;               // axis box
    float left, right, bottom, top; // world rectangle around it (the whole canvas)
    float airAxisX;                 // second value axis on the right
    float tick, gap;
    float textLeft, textRight; // texts stay inside these (the printable part of a sheet)
    float headTop;             // top of the heading lines
};

Layout WindowLayout() {
    return {140.0f, 120.0f, -27.0f, 197.0f, -27.0f, 156.0f, 165.0f, 1.5f, 1.2f, -26.0f, 196.0f, 155.0f};
}

// Sheets in millimetres. Portrait (complete printout): the box below the sheet's heading, the
// data block and the drawing below the legend. Landscape: the data block right of the air axis.
Layout PrinterLayout(bool landscape) {
    if (landscape)
        return {118.0f, 116.0f, -26.0f, 271.0f, -64.0f, 146.0f, 138.0f, 1.5f, 1.2f, -16.0f, 154.0f, 136.0f};
    return {118.0f, 72.0f, -32.0f, 178.0f, -189.0f, 108.0f, 138.0f, 1.5f, 1.2f, -20.0f, 166.0f, 84.0f};
}

constexpr float kTickSize = 10.0f;
constexpr float kAxisTitleSize = 11.0f;
constexpr float kTitleSize = 12.0f;
constexpr float kDesignationSize = 13.0f;
constexpr float kCurveLabelSize = 10.0f;

// Value at the top of the axis a curve of this quantity is drawn against.
double AxisMaximum(const DiagramScale& s, CurveQuantity quantity) {
    switch (quantity) {
    case CurveQuantity::Power:
        return s.power.maximum;
    case CurveQuantity::Air:
        return s.air.maximum;
    case CurveQuantity::Torque:
        break;
    }
    return s.torque.maximum;
}

struct PlacedLabel {
    float x, y; // anchor point in world units
    int anchor;
    std::string text;
    CurveQuantity quantity;
};

// More labels than this on one axis are a typing slip in a scale field.
constexpr int kMaxAxisSteps = 100;

struct AxisColours {
    int ticks, labels;
};

// Ticks and labels of one value axis at the multiples of its own label step.
void ValueAxisSteps(DiagramEngine& e, const AxisRecord& axis, float lenY, float x0, float x1, float textX,
                    int anchor, AxisColours colours, int decimals) {
    const double step = axis.labelStep > 0.0 ? axis.labelStep : axis.step;
    if (!(step > 0.0) || !(axis.maximum > 0.0))
        return;
    const double count = std::floor(axis.maximum / step + 1e-6);
    if (count > kMaxAxisSteps)
        return;
    for (int k = 0; k <= static_cast<int>(count); ++k) {
        const double value = static_cast<double>(k) * step;
        const float y = static_cast<float>(value / axis.maximum) * lenY;
        e.SetColour(QBColor(colours.ticks));
        e.DrawLine(x0, y, x1, y, 1.0f);
        e.SetColour(QBColor(colours.labels));
        e.DrawText(FormatNumber(value, DecimalMask(decimals)), textX, y, kTickSize, false, anchor);
    }
}

void DrawGridAndAxes(DiagramEngine& e, const MotorPlot& plot, const Layout& L, const MotorDiagramInput& in) {
    const DiagramScale& s = plot.scale;
    const int d = s.power.divisions;
    // Grid first, dotted and grey, so the axes and curves lie on top of it.
    e.SetColour(QBColor(kGridColour));
    e.SetLineWidth(2);
    e.SetLineStyle(2);
    const int speedDivisions = static_cast<int>(std::lround(s.speed.maximum / s.speed.step));
    for (int i = 1; i < speedDivisions; ++i) {
        const float x = static_cast<float>(i) * L.lenX / static_cast<float>(speedDivisions);
        e.DrawLine(x, 0.0f, x, L.lenY, 1.0f);
    }
    for (int i = 1; i < d; ++i) {
        const float y = static_cast<float>(i) * L.lenY / static_cast<float>(d);
        e.DrawLine(0.0f, y, L.lenX, y, 1.0f);
    }

    // Axes: the box in black, the air axis offset to the right in its own colour.
    e.SetLineStyle(0);
    e.SetLineWidth(5);
    e.SetColour(QBColor(0));
    e.DrawLine(0.0f, 0.0f, L.lenX, 0.0f, 1.0f);
    e.DrawLine(0.0f, L.lenY, L.lenX, L.lenY, 1.0f);
    e.DrawLine(0.0f, 0.0f, 0.0f, L.lenY, 1.0f);
    e.DrawLine(L.lenX, 0.0f, L.lenX, L.lenY, 1.0f);
    const int torqueColour = plot.colouredLabels ? kTorqueColour : 0;
    const int powerColour = plot.colouredLabels ? kPowerColour : 0;
    const int airColour = plot.colouredLabels ? kAirColour : 0;
    const int torqueTicks = plot.colouredGraduations ? kTorqueColour : 0;
    const int powerTicks = plot.colouredGraduations ? kPowerColour : 0;
    const int airTicks = plot.colouredGraduations ? kAirColour : 0;
    e.SetColour(QBColor(airTicks));
    e.DrawLine(L.airAxisX, 0.0f, L.airAxisX, L.lenY, 1.0f);

    // Speed ticks and labels below the axis.
    e.SetLineWidth(3);
    e.SetColour(QBColor(0));
    const double labelStep = s.speed.labelStep > 0.0 ? s.speed.labelStep : s.speed.step;
    const int labelCount = static_cast<int>(std::lround(s.speed.maximum / labelStep));
    for (int i = 0; i <= labelCount; ++i) {
        const double value = static_cast<double>(i) * labelStep;
        const float x = static_cast<float>(value / s.speed.maximum) * L.lenX;
        e.DrawLine(x, 0.0f, x, -L.tick, 1.0f);
        e.DrawText(FormatNumber(value, "#0"), x, -L.tick - L.gap * 0.5f, kTickSize, false, 6);
    }
    for (int i = 0; i <= speedDivisions; ++i) {
        const float x = static_cast<float>(i) * L.lenX / static_cast<float>(speedDivisions);
        e.DrawLine(x, 0.0f, x, -L.tick * 0.6f, 1.0f);
    }

    if (plot.ownAxisSteps) {
        ValueAxisSteps(e, s.torque, L.lenY, -L.tick, 0.0f, -L.tick - L.gap, 8, {torqueTicks, torqueColour},
                       plot.torqueDecimals);
        ValueAxisSteps(e, s.power, L.lenY, L.lenX, L.lenX + L.tick, L.lenX + L.tick + L.gap, 2,
                       {powerTicks, powerColour}, plot.powerDecimals);
        ValueAxisSteps(e, s.air, L.lenY, L.airAxisX, L.airAxisX + L.tick, L.airAxisX + L.tick + L.gap, 2,
                       {airTicks, airColour}, plot.airDecimals);
    } else {
        // Value axes share the divisions of the power axis.
        for (int i = 0; i <= d; ++i) {
            const float y = static_cast<float>(i) * L.lenY / static_cast<float>(d);
            const double frac = static_cast<double>(i) / d;
            e.SetColour(QBColor(torqueTicks));
            e.DrawLine(-L.tick, y, 0.0f, y, 1.0f);
            e.SetColour(QBColor(torqueColour));
            e.DrawText(FormatNumber(frac * s.torque.maximum, DecimalMask(plot.torqueDecimals)),
                       -L.tick - L.gap, y, kTickSize, false, 8);
            e.SetColour(QBColor(powerTicks));
            e.DrawLine(L.lenX, y, L.lenX + L.tick, y, 1.0f);
            e.SetColour(QBColor(powerColour));
            e.DrawText(FormatNumber(frac * s.power.maximum, DecimalMask(plot.powerDecimals)),
                       L.lenX + L.tick + L.gap, y, kTickSize, false, 2);
            e.SetColour(QBColor(airTicks));
            e.DrawLine(L.airAxisX, y, L.airAxisX + L.tick, y, 1.0f);
            e.SetColour(QBColor(airColour));
            e.DrawText(FormatNumber(frac * s.air.maximum, DecimalMask(plot.airDecimals)),
                       L.airAxisX + L.tick + L.gap, y, kTickSize, false, 2);
        }
    }

    // Axis titles: torque over the left axis, power and air stacked over the right-hand axes so
    // that long titles of any language never run into each other.
    const float lineH = e.TextHeight("Ag", kAxisTitleSize, true) * 1.15f;
    const float titleY = L.lenY + 2.5f;
    const std::string torqueTitle = AxisTitle(in, CurveQuantity::Torque);
    const float wT = e.TextWidth(torqueTitle, kAxisTitleSize, true);
    e.SetColour(QBColor(torqueColour));
    e.DrawText(torqueTitle, std::max(0.0f, L.textLeft + wT), titleY, kAxisTitleSize, true, 7);
    e.SetColour(QBColor(powerColour));
    const std::string powerTitle = AxisTitle(in, CurveQuantity::Power);
    const float wP = e.TextWidth(powerTitle, kAxisTitleSize, true);
    e.DrawText(powerTitle, std::min(L.lenX, L.textRight - wP), titleY, kAxisTitleSize, true, 1);
    e.SetColour(QBColor(airColour));
    const std::string airTitle = AxisTitle(in, CurveQuantity::Air);
    const float wA = e.TextWidth(airTitle, kAxisTitleSize, true);
    e.DrawText(airTitle, std::min(L.airAxisX, L.textRight - wA), titleY + lineH, kAxisTitleSize, true, 1);

    // Speed unit centred under the tick labels.
    e.SetColour(QBColor(0));
    const float unitY = -L.tick - L.gap - e.TextHeight("0", kTickSize, false) - 1.0f;
    if (in.strLanguage == "German" || in.strLanguage == "French") {
        e.SpeedUnitLabel(L.lenX / 2.0f, unitY, kAxisTitleSize, 6);
    } else {
        const char* unit = in.strLanguage == "Italian" ? "[giri/min]" : "[r/min]";
        e.DrawText(unit, L.lenX / 2.0f, unitY, kAxisTitleSize, false, 6);
    }
}

void DrawCurve(DiagramEngine& e, const MotorPlot& plot, const PlotCurve& c, const Layout& L) {
    const DiagramScale& s = plot.scale;
    const double axisMax = AxisMaximum(s, c.quantity);
    if (c.speed.size() < 2)
        return;
    e.sngAxisLenX = L.lenX;
    e.sngAxisLenY = L.lenY;
    e.sngAxisMaxX = static_cast<float>(s.speed.maximum);
    e.sngAxisMaxY = static_cast<float>(axisMax);
    e.sngClipXMin = 0.0f;
    e.sngClipYMin = 0.0f;
    e.sngClipXMax = L.lenX;
    e.sngClipYMax = L.lenY;
    std::vector<float> xs(c.speed.size() + 1), ys(c.value.size() + 1);
    std::copy(c.speed.begin(), c.speed.end(), xs.begin() + 1);
    std::copy(c.value.begin(), c.value.end(), ys.begin() + 1);
    e.SetColour(QBColor(c.colour));
    e.SetLineWidth(c.width);
    e.SetLineStyle(c.style);
    e.DrawPolyline(xs, ys, static_cast<int>(c.speed.size()));
}

// Labels of family members: torque at the start of its curve, power over its peak, air at the end
// of its visible part. Labels of one quantity are pushed apart vertically so none overlaps.
void DrawFamilyLabels(DiagramEngine& e, const MotorPlot& plot, const Layout& L) {
    const DiagramScale& s = plot.scale;
    std::vector<PlacedLabel> labels;
    for (const auto& c : plot.curves) {
        if (c.label.empty() || c.speed.empty())
            continue;
        const double axisMax = AxisMaximum(s, c.quantity);
        const auto wx = [&](std::size_t i) {
            return c.speed[i] / static_cast<float>(s.speed.maximum) * L.lenX;
        };
        const auto wy = [&](std::size_t i) { return c.value[i] / static_cast<float>(axisMax) * L.lenY; };
        const auto inside = [&](std::size_t i) {
            return wx(i) >= 0.0f && wx(i) <= L.lenX && wy(i) >= 0.0f && wy(i) <= L.lenY;
        };
        std::size_t at = c.speed.size();
        int anchor = 1;
        if (c.quantity == CurveQuantity::Torque) {
            for (std::size_t i = 0; i < c.speed.size(); ++i)
                if (inside(i)) {
                    at = i;
                    break;
                }
            anchor = 1;
        } else if (c.quantity == CurveQuantity::Power) {
            float best = -1.0f;
            for (std::size_t i = 0; i < c.speed.size(); ++i)
                if (inside(i) && c.value[i] > best) {
                    best = c.value[i];
                    at = i;
                }
            anchor = 4;
        } else {
            for (std::size_t i = c.speed.size(); i-- > 0;)
                if (inside(i) && c.value[i] > 0.0f) {
                    at = i;
                    break;
                }
            anchor = 7;
        }
        if (at == c.speed.size())
            continue;
        float x = wx(at) + (anchor == 1 ? 1.0f : 0.0f);
        x = std::clamp(x, 1.0f, L.lenX - 1.0f);
        labels.push_back({x, wy(at) + 0.8f, anchor, c.label, c.quantity});
    }
    const float h = e.TextHeight("0", kCurveLabelSize, false) * 1.05f;
    for (CurveQuantity q : {CurveQuantity::Torque, CurveQuantity::Power, CurveQuantity::Air}) {
        std::vector<PlacedLabel*> group;
        for (auto& l : labels)
            if (l.quantity == q)
                group.push_back(&l);
        std::sort(group.begin(), group.end(), [](auto* a, auto* b) { return a->y < b->y; });
        for (std::size_t i = 1; i < group.size(); ++i)
            if (group[i]->y < group[i - 1]->y + h && std::fabs(group[i]->x - group[i - 1]->x) < 12.0f)
                group[i]->y = group[i - 1]->y + h;
    }
    e.SetColour(QBColor(0));
    for (const auto& l : labels)
        if (l.y + h <= L.lenY + 0.5f)
            e.DrawText(l.text, l.x, l.y, kCurveLabelSize, false, l.anchor);
}

void DrawLegend(DiagramEngine& e, const MotorPlot& plot, const Layout& L, float y) {
    const float lineH = e.TextHeight("Ag", kCurveLabelSize, false) * 1.2f;
    float x = 0.0f;
    for (const auto& entry : plot.legend) {
        if (entry.text.empty())
            continue;
        const float w = 9.5f + e.TextWidth(entry.text, kCurveLabelSize, false);
        // Wrap rather than run off the sheet.
        if (x > 0.0f && x + w > L.textRight - 1.0f) {
            x = 0.0f;
            y -= lineH;
        }
        e.SetColour(QBColor(entry.colour));
        e.SetLineWidth(entry.width);
        e.SetLineStyle(entry.style);
        e.canvas().line(x, y, x + 8.0f, y);
        e.SetLineStyle(0);
        e.SetColour(QBColor(0));
        e.DrawText(entry.text, x + 9.5f, y, kCurveLabelSize, false, 2);
        x += w + 5.0f;
    }
}

constexpr float kComparisonTableSize = 9.0f;
// World units between the legend line and the comparison table under it.
constexpr float kTableGap = 4.0f;
constexpr float kLegendY = -18.0f;

// The window grows downwards by the comparison table's height, and to the right in proportion, so
// the diagram keeps its shape and the table stands under the legend.
Layout WithTableBelow(DiagramEngine& e, Layout L, const ProductionComparison& table) {
    const float height = L.top - L.bottom;
    const float needed = MeasureComparisonTable(e, table, kComparisonTableSize).height + 2.0f * kTableGap;
    // Texts keep their device size: in the taller world a text takes more world units.
    const float extra = needed / std::max(0.2f, 1.0f - needed / height);
    const float grow = (height + extra) / height;
    L.bottom -= extra;
    L.right = L.left + (L.right - L.left) * grow;
    L.textRight = L.right - 1.0f;
    e.SetScale(L.left, L.bottom, L.right, L.top, "Underkant");
    return L;
}

constexpr float kPointRadius = 1.2f;

void DrawPoints(DiagramEngine& e, const MotorPlot& plot, const Layout& L, bool window) {
    const double maxX = plot.scale.speed.maximum;
    for (const PlotPoint& p : plot.points) {
        const double maxY = AxisMaximum(plot.scale, p.quantity);
        if (maxX <= 0.0 || maxY <= 0.0)
            continue;
        const float x = p.speed / static_cast<float>(maxX) * L.lenX;
        const float y = p.value / static_cast<float>(maxY) * L.lenY;
        if (x >= 0.0f && x <= L.lenX && y >= 0.0f && y <= L.lenY)
            e.DrawMarker(x, y, kPointRadius, p.colour, window ? 3 : 6);
    }
}

Layout LayoutOf(const MotorPlot& plot, CanvasKind kind, bool landscapePage) {
    if (kind != CanvasKind::Window)
        return PrinterLayout(landscapePage);
    Layout L = WindowLayout();
    L.right += plot.sideColumn;
    L.textRight += plot.sideColumn;
    return L;
}

void DrawWorkingPoint(DiagramEngine& e, const MotorPlot& plot, const Layout& L, bool window) {
    if (!plot.showWorkingPoint || plot.scale.speed.maximum <= 0.0)
        return;
    const float x = plot.workingSpeed / static_cast<float>(plot.scale.speed.maximum) * L.lenX;
    // Only inside the axis box: outside it the mark would sit on the tick labels.
    if (x < 0.0f || x > L.lenX)
        return;
    if (plot.workingQuantity == CurveQuantity::Air) {
        // No air figure belongs to the duty: the speed alone is marked.
        e.SetColour(QBColor(kTorqueColour));
        e.SetLineWidth(kWorkingSpeedLineWidth);
        e.SetLineStyle(0);
        e.DrawLine(x, 0.0f, x, L.lenY, 1.0f);
        return;
    }
    const double axisMax = AxisMaximum(plot.scale, plot.workingQuantity);
    if (axisMax <= 0.0)
        return;
    const float wy = plot.workingValue / static_cast<float>(axisMax) * L.lenY;
    if (wy >= 0.0f && wy <= L.lenY)
        e.DrawMarker(x, wy, 2.2f, kTorqueColour, window ? 5 : 12);
}

} // namespace

void DrawMotorPlot(Canvas& canvas, const MotorPlot& plot, const MotorDiagramInput& in) {
    DiagramEngine e(canvas);
    e.strLanguage = in.strLanguage;
    e.sngPrinterDpi = in.printerDpi;
    const bool window = canvas.kind() == CanvasKind::Window;
    Layout L = LayoutOf(plot, canvas.kind(), in.landscapePage);
    e.SetScale(L.left, L.bottom, L.right, L.top, "Underkant");
    if (window && plot.production)
        L = WithTableBelow(e, L, *plot.production);
    e.sngRightEdge = L.right;

    // Heading, one line each: designation, the alternative's title, the pressure line.
    // On paper the printout's own data block names the motor; the title centres over the box there.
    const float centre = window ? (L.left + L.right) / 2.0f : L.lenX / 2.0f;
    float y = L.headTop;
    e.SetColour(QBColor(0));
    if (window) {
        e.DrawText(plot.designation, L.left + 2.0f, y, kDesignationSize, true, 3);
        y -= e.TextHeight("Ag", kDesignationSize, true) * 1.05f;
    }
    if (!plot.title.empty()) {
        e.DrawText(plot.title, centre, y, kTitleSize, true, 6);
        y -= e.TextHeight("Ag", kTitleSize, true) * 1.05f;
    }
    if (!plot.subtitle.empty())
        e.DrawText(plot.subtitle, centre, y, kTickSize, false, 6);

    if (!plot.drawable)
        return;
    // Grid, axes and ticks may use the whole sheet; each curve narrows the clip to the axis box.
    e.sngClipXMin = L.left;
    e.sngClipXMax = L.right;
    e.sngClipYMin = L.bottom;
    e.sngClipYMax = L.top;
    DrawGridAndAxes(e, plot, L, in);
    for (const auto& c : plot.curves)
        DrawCurve(e, plot, c, L);
    e.SetLineStyle(0);
    DrawFamilyLabels(e, plot, L);
    DrawLegend(e, plot, L, kLegendY);
    DrawPoints(e, plot, L, window);

    DrawWorkingPoint(e, plot, L, window);
    // On paper the printout places the table in its data block.
    if (plot.production && window)
        DrawComparisonTable(e, *plot.production, 0.0f, kLegendY - kTableGap, kComparisonTableSize);
}

PlotFrame MotorPlotFrame(const MotorPlot& plot, CanvasKind kind, bool landscapePage) {
    const Layout L = LayoutOf(plot, kind, landscapePage);
    // Beside the air axis's tick labels on the window; right of them on a landscape sheet.
    constexpr float kColumnGap = 30.0f;
    return {L.left, L.bottom, L.right, L.top, L.airAxisX + kColumnGap, L.headTop};
}

void DrawMotorDiagram(Canvas& canvas, const MotorDiagramInput& input) {
    if (!input.catalogue || input.index <= 0 || input.index > input.catalogue->intAntalMotorer)
        return;
    DrawMotorPlot(canvas, ComputeMotorPlot(input), input);
}

} // namespace airmotor::core
