#include "core/maintenance/EditorDiagram.h"

#include "core/diagram/DiagramEngine.h"
#include "core/maintenance/MotorDataEditor.h"
#include "core/model/MotorCurves.h"

#include <algorithm>
#include <cmath>

namespace airmotor::core {

namespace {

using F = EditorField;

constexpr int kTorqueColour = 12;
constexpr int kPowerColour = 2;
constexpr int kAirColour = 9;
constexpr std::int16_t kCurveWidth = 14;    // 300-dpi dots, as the catalogue diagram's main curves
constexpr std::int16_t kCompanionWidth = 8; // thinner, so the dashes stay readable
constexpr std::int16_t kDashed = 1;
// More grid lines than this are a typing slip in a scale field, not a diagram.
constexpr int kMaxDivisions = 100;
// World units right of the window's air axis for the data block.
constexpr float kDataBlockColumn = 80.0f;
constexpr float kColumnRightMargin = 2.0f;

int Divisions(double maximum, double step) {
    if (!(maximum > 0.0) || !(step > 0.0))
        return 0;
    const double d = std::round(maximum / step);
    return d >= 1.0 && d <= kMaxDivisions ? static_cast<int>(d) : 0;
}

// A decimals box as the labels use it (0..3); a value typed far out of range has no int.
int LabelDecimals(float typed) {
    constexpr float kMostDecimals = 3.0f;
    if (!(typed > 0.0f))
        return 0;
    return static_cast<int>(std::min(typed, kMostDecimals));
}

// Samples the polynomials over the figures' range in the plotter's equal steps.
void AddCurves(const CurveFits& fits, const CurveFigures& range, float airFactor, std::int16_t width,
               std::int16_t style, std::vector<PlotCurve>& out) {
    if (!(range.end > range.start) || !std::isfinite(range.end) || !std::isfinite(range.start))
        return;
    PlotCurve torque{CurveQuantity::Torque, kTorqueColour, width, style, {}, {}, {}};
    PlotCurve power{CurveQuantity::Power, kPowerColour, width, style, {}, {}, {}};
    PlotCurve air{CurveQuantity::Air, kAirColour, width, style, {}, {}, {}};
    const float h = (range.end - range.start) / static_cast<float>(kCurveSteps);
    for (int step = 0; step <= kCurveSteps; ++step) {
        const float n = range.start + static_cast<float>(step) * h;
        const float t = EvaluatePolynomial(fits.torque, n);
        torque.speed.push_back(n);
        torque.value.push_back(t);
        power.speed.push_back(n);
        power.value.push_back(PowerAt(t, n));
        air.speed.push_back(n);
        air.value.push_back(airFactor * EvaluatePolynomial(fits.air, n));
    }
    out.push_back(std::move(torque));
    out.push_back(std::move(power));
    out.push_back(std::move(air));
}

EditorDiagram Frame(const MotorDataEditor& editor, const EditorDiagramOptions& options) {
    const EditorFields& fields = editor.fields();
    EditorDiagram d;
    d.input.bolKatalogMode = false;
    d.input.texts = options.texts;
    d.input.strLanguage = options.strLanguage;
    d.input.printerDpi = options.printerDpi;
    d.input.landscapePage = true;
    MotorPlot& plot = d.plot;
    plot.scale = EditorScale(fields, options.canvas);
    const DiagramScale& s = plot.scale;
    plot.drawable = s.torque.divisions > 0 && Divisions(s.speed.maximum, s.speed.step) > 0 &&
                    Divisions(s.speed.maximum, s.speed.labelStep) > 0 && s.power.maximum > 0.0 &&
                    s.air.maximum > 0.0;
    plot.torqueDecimals = LabelDecimals(fields.value(F::NmdecB));
    plot.powerDecimals = LabelDecimals(fields.value(F::KwdecB));
    plot.airDecimals = std::clamp(DecimalsFor(s.air.labelStep), 0, 3);
    // The in-house diagram prints its axis labels black; the graduations follow the check box.
    plot.colouredLabels = false;
    plot.colouredGraduations = !options.blackGraduations;
    // The scale fields give every axis its own label step.
    plot.ownAxisSteps = true;
    plot.sideColumn = kDataBlockColumn;
    return d;
}

} // namespace

DiagramScale EditorScale(const EditorFields& fields, CanvasKind canvas) {
    const bool paper = canvas == CanvasKind::Printer;
    DiagramScale s;
    s.speed.maximum = fields.value(paper ? F::VutmaxB : F::VmaxB);
    s.speed.step = fields.value(F::VrutincB);
    s.speed.labelStep = fields.value(F::VincB);
    s.speed.divisions = Divisions(s.speed.maximum, s.speed.step);
    const double torqueMax = fields.value(paper ? F::NmutmaxB : F::NmmaxB);
    const int d = Divisions(torqueMax, fields.value(F::NmrutincB));
    s.torque = {torqueMax, fields.value(F::NmincB), fields.value(F::NmincB), d};
    s.power = {fields.value(paper ? F::KwutmaxB : F::KwmaxB), fields.value(F::KwincB),
               fields.value(F::KwincB), d};
    s.air = {fields.value(paper ? F::LsutmaxB : F::LsmaxB), fields.value(F::LsincB), fields.value(F::LsincB),
             d};
    return s;
}

EditorDiagram BuildEditorDiagram(const MotorDataEditor& editor, const EditorDiagramOptions& options) {
    EditorDiagram d = Frame(editor, options);
    const EditorFields& fields = editor.fields();
    MotorPlot& plot = d.plot;
    plot.designation = editor.texts().designation;
    d.input.strCurrentBenamning = plot.designation;
    if (options.canvas == CanvasKind::Printer)
        plot.title = plot.designation; // paper has no heading line of its own
    const auto& figures = editor.figures();
    if (!figures) {
        plot.drawable = false; // no drawing pass, or one that stopped: nothing to show
        return d;
    }
    const float qkal = fields.value(F::QkalB);
    AddCurves(editor.fits(), *figures, qkal, kCurveWidth, 0, plot.curves);
    if (const auto companion = editor.companionFigures())
        AddCurves(editor.companionFits(), *companion, qkal, kCompanionWidth, kDashed, plot.curves);
    if (options.showPoints) {
        const ConvertedSet& p = editor.converted();
        for (int i = 1; i <= p.n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            plot.points.push_back({CurveQuantity::Torque, p.speed[k], p.torque[k], kTorqueColour});
            plot.points.push_back(
                {CurveQuantity::Power, p.speed[k], PowerAt(p.torque[k], p.speed[k]), kPowerColour});
            plot.points.push_back({CurveQuantity::Air, p.speed[k], qkal * p.air[k], kAirColour});
        }
    }
    const bool printRange = fields.value(F::txtKatalogIndex_1) > 0.0f;
    d.dataBlock = EditorDataBlockLines(DataBlockInputOf(editor, options.dateTime, printRange));
    return d;
}

EditorDiagram BuildCatalogueEditorDiagram(const MotorCatalogue& catalogue, int index,
                                          const MotorDataEditor& editor,
                                          const EditorDiagramOptions& options) {
    EditorDiagram d = Frame(editor, options);
    if (index < 1 || index > catalogue.intAntalMotorer) {
        d.plot.drawable = false;
        return d;
    }
    const auto i = static_cast<std::size_t>(index);
    MotorPlot& plot = d.plot;
    plot.designation = catalogue.strBenamning[i];
    plot.title = plot.designation;
    plot.subtitle = "Motor nr: " + std::to_string(index);
    d.input.strCurrentBenamning = plot.designation;
    d.input.catalogue = &catalogue;
    d.input.index = index;

    CurveFits fits;
    fits.degreeM = std::clamp(static_cast<int>(catalogue.intGradtal_M[i]), 1, 4);
    fits.degreeL = std::clamp(static_cast<int>(catalogue.intGradtal_L[i]), 1, 4);
    for (int k = 0; k <= fits.degreeM; ++k)
        fits.torque.push_back(catalogue.cM(k, index));
    for (int k = 0; k <= fits.degreeL; ++k)
        fits.air.push_back(catalogue.cL(k, index));
    const CurveFigures figures =
        DrawnCurveFigures(fits, catalogue.sngTomgVarvtal[i], catalogue.sngMin_VarvDiagram[i],
                          static_cast<float>(catalogue.sngMax_VarvDiagram[i]));
    AddCurves(fits, figures, editor.fields().value(F::QkalB), kCurveWidth, 0, plot.curves);

    EditorDataBlockInput block = DataBlockInputOf(editor, options.dateTime, true);
    block.figures = figures;
    block.stallTorque = catalogue.sngStallmoment[i];
    block.degreeM = fits.degreeM;
    block.degreeL = fits.degreeL;
    block.designation = plot.designation;
    block.utv = catalogue.sngUtvaxling[i];
    block.companion.reset();
    GearData gear = editor.gear();
    DecodeGearDesignation(block.designation, gear);
    block.gear = gear;
    d.dataBlock = EditorDataBlockLines(block);
    return d;
}

void DrawEditorDiagram(Canvas& canvas, const EditorDiagram& diagram) {
    DrawMotorPlot(canvas, diagram.plot, diagram.input);
    const PlotFrame frame = MotorPlotFrame(diagram.plot, canvas.kind(), diagram.input.landscapePage);
    DiagramEngine e(canvas);
    e.sngPrinterDpi = diagram.input.printerDpi;
    e.SetScale(frame.left, frame.bottom, frame.right, frame.top, "Underkant");
    e.sngRightEdge = frame.right;
    DrawEditorDataBlock(e, diagram.dataBlock, frame.columnX, frame.columnTop,
                        frame.right - kColumnRightMargin);
}

} // namespace airmotor::core
