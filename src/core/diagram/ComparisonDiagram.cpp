#include "core/diagram/ComparisonDiagram.h"

#include "core/analysis/DutyAnalysis.h"
#include "core/common/Keys.h"
#include "core/diagram/DiagramEngine.h"
#include "core/format/NumberFormat.h"
#include "core/results/SearchSummary.h"
#include "core/session/SelectionSession.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace airmotor::core {

namespace {

// Samples per curve: smooth polynomials, and the engine fills gaps longer than its densify step.
constexpr int kComparisonSteps = 250;
// 300-dpi dots: three screen pixels, so dashes and dots stay readable.
constexpr std::int16_t kCurveWidth = 11;
constexpr int kGridColour = 8;
constexpr int kWorkingPointColour = 0;

// World units of the whole drawing; the plot boxes share x 0..kLenX and stack in y 0..kStackTop.
constexpr float kLeft = -24.0f, kRight = 178.0f, kBottom = -32.0f, kTop = 160.0f;
constexpr float kLenX = 172.0f;
constexpr float kStackTop = 138.0f;
constexpr float kPanelGap = 9.0f; // room for the next panel's title
constexpr float kTick = 1.5f, kGap = 1.2f;
constexpr float kTickSize = 10.0f, kAxisTitleSize = 11.0f, kTitleSize = 13.0f, kLegendSize = 10.0f;

std::string Text(const ComparisonDiagramInput& in, int key, const char* fallback) {
    const std::string text = in.texts ? (*in.texts)(key) : std::string();
    return text.empty() ? std::string(fallback) : text;
}

const char* DecimalMask(int decimals) {
    static constexpr std::array<const char*, 4> kMasks = {"#0", "#0.0", "#0.00", "#0.000"};
    return kMasks[static_cast<std::size_t>(std::clamp(decimals, 0, 3))];
}

// Drawn speed range of a motor at the factors: as the motor diagram ends its curves (1.03 x the free
// speed, or the maximum allowed speed, which does not move with the pressure).
struct SpeedRange {
    float start = 0.0f, end = 0.0f; // catalogue (6.3 bar) speeds x; drawn at Kn * x
};

SpeedRange RangeOf(const MotorCatalogue& cat, int k, float kn) {
    const auto i = static_cast<std::size_t>(k);
    SpeedRange r;
    const float top = cat.sngMax_VarvDiagram[i] >= 1 ? static_cast<float>(cat.sngMax_VarvDiagram[i]) / kn
                                                     : 1.03f * cat.sngTomgVarvtal[i];
    r.end = top;
    r.start = cat.sngMin_VarvDiagram[i] > 0.0f ? cat.sngMin_VarvDiagram[i] : 0.05f * cat.sngTomgVarvtal[i];
    return r;
}

void SampleMotor(const ComparisonDiagramInput& in, std::size_t m, ComparisonPlot& plot) {
    const ComparisonDiagramInput::Motor& motor = in.motors[m];
    const MotorCatalogue& cat = *in.catalogue;
    const PressureFactorValues& f = motor.factors;
    const SpeedRange range = RangeOf(cat, motor.index, f.sngKn);
    if (!(range.end > range.start) || !std::isfinite(range.end) || !(f.sngKn > 0.0f))
        return;
    ComparisonCurve torque{m, CurveQuantity::Torque, {}, {}};
    ComparisonCurve power{m, CurveQuantity::Power, {}, {}};
    ComparisonCurve air{m, CurveQuantity::Air, {}, {}};
    const float h = (range.end - range.start) / static_cast<float>(kComparisonSteps);
    for (int step = 0; step <= kComparisonSteps; ++step) {
        const float x = range.start + static_cast<float>(step) * h;
        const float n = f.sngKn * x;
        const float t = f.sngKm * TorquePolynomial(cat, motor.index, x);
        torque.speed.push_back(n);
        torque.value.push_back(t / in.units.sngUnitTorque);
        power.speed.push_back(n);
        power.value.push_back(PowerAt(t, n) / in.units.sngUnitPower);
        air.speed.push_back(n);
        air.value.push_back(f.sngKl * AirPolynomial(cat, motor.index, x) / in.units.sngUnitAir);
    }
    plot.curves.push_back(std::move(torque));
    if (in.showPower)
        plot.curves.push_back(std::move(power));
    if (in.showAir)
        plot.curves.push_back(std::move(air));
}

float Largest(const std::vector<ComparisonCurve>& curves, CurveQuantity q, bool speed) {
    float largest = 0.0f;
    for (const ComparisonCurve& c : curves)
        if (c.quantity == q || speed)
            for (float v : speed ? c.speed : c.value)
                if (std::isfinite(v))
                    largest = std::max(largest, v);
    return largest;
}

std::string PanelTitle(const ComparisonDiagramInput& in, CurveQuantity q) {
    switch (q) {
    case CurveQuantity::Power:
        return Text(in, 86, "Power [kW]");
    case CurveQuantity::Air:
        return Text(in, 99, "Air consum. [l/s]");
    case CurveQuantity::Torque:
        break;
    }
    return Text(in, 84, "Torque [Nm]");
}

float PanelHeight(std::size_t panels) {
    const auto n = static_cast<float>(std::max<std::size_t>(panels, 1));
    return (kStackTop - kPanelGap * (n - 1.0f)) / n;
}

// y of the panel's bottom edge in the drawing's world.
float PanelBase(std::size_t panel, std::size_t panels) {
    const float h = PanelHeight(panels);
    return kStackTop - static_cast<float>(panel + 1) * h - static_cast<float>(panel) * kPanelGap;
}

// Moves the world so that the panel's bottom-left corner is the origin: the engine's polyline maps
// values from the origin.
void EnterPanel(DiagramEngine& e, std::size_t panel, std::size_t panels) {
    const float base = PanelBase(panel, panels);
    e.SetScale(kLeft, kBottom - base, kRight, kTop - base, "Underkant");
}

void DrawPanel(DiagramEngine& e, const ComparisonPlot& plot, std::size_t p) {
    const ComparisonPanel& panel = plot.panels[p];
    const float lenY = PanelHeight(plot.panels.size());
    const bool last = p + 1 == plot.panels.size();
    EnterPanel(e, p, plot.panels.size());
    e.sngClipXMin = kLeft;
    e.sngClipXMax = kRight;
    e.sngClipYMin = -1000.0f;
    e.sngClipYMax = 1000.0f;

    const int divisions = std::max(panel.axis.divisions, 1);
    const int speedDivisions = static_cast<int>(std::lround(plot.speed.maximum / plot.speed.step));
    e.DrawGridAndFrame(kLenX, lenY, speedDivisions, divisions, QBColor(kGridColour));

    e.SetLineWidth(3);
    for (int i = 0; i <= divisions; ++i) {
        const float y = static_cast<float>(i) * lenY / static_cast<float>(divisions);
        e.DrawLine(-kTick, y, 0.0f, y, 1.0f);
        e.DrawText(FormatNumber(panel.axis.maximum * i / divisions, DecimalMask(panel.decimals)),
                   -kTick - kGap, y, kTickSize, false, 8);
    }
    e.DrawText(panel.title, 0.0f, lenY + 1.0f, kAxisTitleSize, true, 1);
    if (last) {
        const double labelStep = plot.speed.labelStep > 0.0 ? plot.speed.labelStep : plot.speed.step;
        const int labels = static_cast<int>(std::lround(plot.speed.maximum / labelStep));
        for (int i = 0; i <= labels; ++i) {
            const double value = static_cast<double>(i) * labelStep;
            const float x = static_cast<float>(value / plot.speed.maximum) * kLenX;
            e.DrawLine(x, 0.0f, x, -kTick, 1.0f);
            e.DrawText(FormatNumber(value, "#0"), x, -kTick - kGap * 0.5f, kTickSize, false, 6);
        }
        const float unitY = -kTick - kGap - e.TextHeight("0", kTickSize, false) - 1.0f;
        if (plot.language == "German" || plot.language == "French")
            e.SpeedUnitLabel(kLenX / 2.0f, unitY, kAxisTitleSize, 6);
        else
            e.DrawText(plot.language == "Italian" ? "[giri/min]" : "[r/min]", kLenX / 2.0f, unitY,
                       kAxisTitleSize, false, 6);
    }

    e.sngAxisLenX = kLenX;
    e.sngAxisLenY = lenY;
    e.sngAxisMaxX = static_cast<float>(plot.speed.maximum);
    e.sngAxisMaxY = static_cast<float>(panel.axis.maximum);
    e.sngClipXMin = 0.0f;
    e.sngClipYMin = 0.0f;
    e.sngClipXMax = kLenX;
    e.sngClipYMax = lenY;
    for (const ComparisonCurve& c : plot.curves) {
        if (c.quantity != panel.quantity || c.speed.size() < 2)
            continue;
        const ComparedMotorStyle style = StyleOfComparedMotor(c.motor);
        std::vector<float> xs(c.speed.size() + 1), ys(c.value.size() + 1);
        std::copy(c.speed.begin(), c.speed.end(), xs.begin() + 1);
        std::copy(c.value.begin(), c.value.end(), ys.begin() + 1);
        e.SetColour(style.colour);
        e.SetLineWidth(kCurveWidth);
        e.SetLineStyle(style.style);
        e.DrawPolyline(xs, ys, static_cast<int>(c.speed.size()));
    }
    e.SetLineStyle(0);

    if (!plot.showWorkingPoint)
        return;
    const float x = plot.workingSpeed / static_cast<float>(plot.speed.maximum) * kLenX;
    if (x < 0.0f || x > kLenX)
        return;
    const float value = panel.quantity == CurveQuantity::Torque  ? plot.workingTorque
                        : panel.quantity == CurveQuantity::Power ? plot.workingPower
                                                                 : -1.0f;
    if (value < 0.0f) {
        // The duty names no air figure: its speed is marked.
        e.SetColour(QBColor(kWorkingPointColour));
        e.SetLineWidth(4);
        e.SetLineStyle(1);
        e.DrawLine(x, 0.0f, x, lenY, 1.0f);
        e.SetLineStyle(0);
        return;
    }
    const float y = value / static_cast<float>(panel.axis.maximum) * lenY;
    if (y >= 0.0f && y <= lenY)
        e.DrawMarker(x, y, 2.2f, kWorkingPointColour, e.onWindow() ? 6 : 12);
}

void DrawLegend(DiagramEngine& e, const ComparisonPlot& plot) {
    e.SetScale(kLeft, kBottom, kRight, kTop, "Underkant");
    e.sngClipXMin = kLeft;
    e.sngClipXMax = kRight;
    e.sngClipYMin = kBottom;
    e.sngClipYMax = kTop;
    const float lineH = e.TextHeight("Ag", kLegendSize, false) * 1.3f;
    float x = 0.0f;
    float y = -19.0f;
    for (const ComparisonLegendEntry& entry : plot.legend) {
        const float w = 13.0f + e.TextWidth(entry.text, kLegendSize, false);
        if (x > 0.0f && x + w > kRight - 1.0f) {
            x = 0.0f;
            y -= lineH;
        }
        e.SetColour(entry.style.colour);
        e.SetLineWidth(kCurveWidth);
        e.SetLineStyle(entry.style.style);
        e.canvas().line(x, y, x + 11.0f, y);
        e.SetLineStyle(0);
        e.SetColour(QBColor(0));
        e.DrawText(entry.text, x + 13.0f, y, kLegendSize, false, 2);
        x += w + 6.0f;
    }
}

} // namespace

ComparedMotorStyle StyleOfComparedMotor(std::size_t motor) {
    // Blue, vermilion, bluish green and reddish purple of the Okabe–Ito set; solid, dash, dash-dot,
    // dash-dot-dot.
    static constexpr std::array<ComparedMotorStyle, 4> kStyles = {{
        {{0, 114, 178}, 0},
        {{213, 94, 0}, 1},
        {{0, 158, 115}, 3},
        {{204, 121, 167}, 4},
    }};
    return kStyles[motor % kStyles.size()];
}

ComparisonPlot ComputeComparisonPlot(const ComparisonDiagramInput& in) {
    ComparisonPlot plot;
    plot.language = in.language;
    plot.title = Text(in, TextKey::ComparisonTitle, "Motor comparison");
    const std::string pressure =
        in.intImperialUnits == 1
            ? FormatNumber(static_cast<double>(in.availablePressure / in.units.sngUnitPressure), "####0")
            : FormatNumber(static_cast<double>(in.availablePressure), "####0.00");
    plot.subtitle = Text(in, 224, "At available pressure") + " " + pressure + " " + Text(in, 56, "bar(e)");
    if (!in.catalogue)
        return plot;
    for (std::size_t m = 0; m < in.motors.size(); ++m) {
        const int k = in.motors[m].index;
        if (k <= 0 || k > in.catalogue->intAntalMotorer)
            continue;
        SampleMotor(in, m, plot);
        plot.legend.push_back(
            {StyleOfComparedMotor(m), std::to_string(in.motors[m].row) + ": " + in.motors[m].designation});
    }
    const std::optional<AxisRecord> speed =
        NiceAxis(0.995 * static_cast<double>(Largest(plot.curves, {}, true)), 'X');
    if (!speed)
        return plot;
    plot.speed = *speed;
    if (plot.speed.maximum / plot.speed.step > 7.0 && plot.speed.maximum > 1000.0)
        plot.speed.labelStep = 2.0 * plot.speed.step;
    for (CurveQuantity q : {CurveQuantity::Torque, CurveQuantity::Power, CurveQuantity::Air}) {
        if ((q == CurveQuantity::Power && !in.showPower) || (q == CurveQuantity::Air && !in.showAir))
            continue;
        const std::optional<AxisRecord> axis =
            NiceAxis(static_cast<double>(Largest(plot.curves, q, false)), 'Y');
        if (!axis)
            return plot;
        plot.panels.push_back({q, *axis, std::clamp(DecimalsFor(axis->step), 0, 3), PanelTitle(in, q)});
    }
    plot.drawable = !plot.curves.empty();
    if (in.hasWorkingPoint) {
        plot.showWorkingPoint = true;
        plot.workingSpeed = in.workingSpeed;
        plot.workingTorque = in.workingTorque / in.units.sngUnitTorque;
        plot.workingPower = PowerAt(in.workingTorque, in.workingSpeed) / in.units.sngUnitPower;
    }
    return plot;
}

void DrawComparisonPlot(Canvas& canvas, const ComparisonPlot& plot) {
    DiagramEngine e(canvas);
    e.strLanguage = plot.language;
    e.SetScale(kLeft, kBottom, kRight, kTop, "Underkant");
    e.SetColour(QBColor(0));
    e.DrawText(plot.title, (kLeft + kRight) / 2.0f, kTop - 1.0f, kTitleSize, true, 6);
    e.DrawText(plot.subtitle, (kLeft + kRight) / 2.0f,
               kTop - 1.0f - e.TextHeight("Ag", kTitleSize, true) * 1.1f, kTickSize, false, 6);
    if (!plot.drawable)
        return;
    for (std::size_t p = 0; p < plot.panels.size(); ++p)
        DrawPanel(e, plot, p);
    DrawLegend(e, plot);
}

ComparisonDiagramInput ComparisonInputFromSession(const SelectionSession& session,
                                                  const LanguageState& language,
                                                  const std::vector<int>& rows) {
    ComparisonDiagramInput in;
    in.catalogue = &session.catalogue();
    in.availablePressure = session.input().values.sngTillgLuftTryck;
    in.units = language.units;
    in.intImperialUnits = language.intImperialUnits;
    in.language = language.strLanguage;
    in.texts = &language.strText;
    for (int row : rows) {
        const std::optional<DutyInput> duty = DutyInputOfRow(session, row);
        if (!duty)
            continue;
        ComparisonDiagramInput::Motor motor{row, duty->index, duty->designation, duty->factors};
        PressureFactors(in.availablePressure, motor.designation, motor.factors);
        in.motors.push_back(std::move(motor));
    }
    if (session.bolArbetspunkt()) {
        in.hasWorkingPoint = true;
        in.workingSpeed = session.input().values.sngArbetsVarvtal;
        in.workingTorque = session.input().values.sngArbetsMoment;
    }
    return in;
}

} // namespace airmotor::core
