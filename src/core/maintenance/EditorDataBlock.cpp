#include "core/maintenance/EditorDataBlock.h"

#include "core/format/NumberFormat.h"
#include "core/maintenance/MotorDataEditor.h"
#include "core/model/MotorCurves.h"

namespace airmotor::core {
namespace {

constexpr float kFirstLineOffset = 20.0f;
constexpr float kLineSpacing = 5.0f;
// Printer points: legible on screen and paper within the 5-unit line spacing.
constexpr float kFontSize = 9.0f;
constexpr int kLeftAligned = 2; // text anchors of the drawing engine
constexpr int kRightAligned = 8;

class Lines final {
public:
    void add(std::string label, double value, const char* mask, int colour = 0) {
        lines_.push_back({std::move(label), FormatNumber(value, mask), colour});
    }
    void text(std::string label, std::string value = {}, int colour = 0) {
        lines_.push_back({std::move(label), std::move(value), colour});
    }
    std::vector<DataBlockLine> take() { return std::move(lines_); }

private:
    std::vector<DataBlockLine> lines_;
};

void Companion(Lines& out, const EditorDataBlockInput::Companion& c) {
    out.text("Data för ostrypt motor:");
    out.add("Maxeffekt", c.figures.maxPower, "##0.00000");
    out.add("Moment maxeffekt", c.figures.torqueAtMaxPower, "###0.00");
    out.add("Stall-moment", c.stallTorque, "###0.00");
    out.add("Varvtal maxeffekt", c.figures.speedAtMaxPower, "#####.00");
    out.add("Luftförbr. tomgång", c.figures.airAtFreeSpeed, "###0.00");
    out.add("Luftförbr. maxeff.", c.figures.airAtMaxPower, "###0.00");
}

void Gear(Lines& out, const std::string& designation, const GearData& g) {
    const std::string mark = designation.size() >= 12 ? designation.substr(9, 3) : std::string();
    if (mark == "BS ") {
        out.add("Axelavstånd", g.centreDistance, "##0.00");
        out.add("Antal ingångar", g.starts, "######");
        out.add("Diam. snäckskruv", g.wormDiameter, "##0.00");
        out.add("Modul", g.module, "##0.00");
        out.add("Pressvinkel", g.pressureAngle, "##0.00");
    } else if (mark == "UAA") {
        out.add("Tätn.diam. ing. steg", g.sealDiameter, "###0.00");
        out.add("Axelavst. ing. steg", g.axleDistance, "##0.00");
    }
}

} // namespace

std::vector<DataBlockLine> EditorDataBlockLines(const EditorDataBlockInput& in) {
    Lines out;
    const MeasurementTargets& t = in.targets;
    const CurveFigures& f = in.figures;
    if (t.freeSpeed > 0.0f) {
        out.text("Målvärden:", {}, kTargetBlockColour);
        out.add("Tomgångsvarvtal", t.freeSpeed, "#######.00", kTargetBlockColour);
        out.add("Maxeffekt", t.maxPower, "######0.0000", kTargetBlockColour);
        out.add("Varvtal Maxeffekt", t.speedAtMaxPower, "#######.00", kTargetBlockColour);
        out.add("Luftförbr. maxeff.", t.airAtMaxPower, "#######.00", kTargetBlockColour);
        out.add("Min Startmoment", in.minStartTorque, "######0.00", kTargetBlockColour);
        out.text("");
        out.text("");
    }
    out.add("Tomgångsvarvtal", f.freeSpeed, "#######.00");
    out.add("Maxeffekt", f.maxPower, "##0.00000");
    out.add("Moment maxeffekt", f.torqueAtMaxPower, "###0.0000");
    out.add("Extr.pol. Stall-moment", in.stallTorque, "###0.000");
    out.add("Min Start-moment", in.minStartTorque, "###0.000");
    if (!in.printRange) {
        out.add("Verkn.grad maxeff. ", static_cast<double>(in.efficiencyAtMaxPower) * 100.0, "###0.00");
        out.add("Kn=", in.kn, "0.00000");
        out.add("Km=", in.km, "0.00000");
        out.add("Kl=", in.kl, "0.00000");
    }
    out.add("Luftförbrukn. tomg.", f.airAtFreeSpeed, "###0.000");
    out.add("Varvtal maxeffekt", f.speedAtMaxPower, "#####.00");
    if (t.freeSpeed > 0.0f && t.speedAtMaxPower > 0.0f)
        out.add("Avv. % Varvtal Maxeff.", (f.speedAtMaxPower / t.speedAtMaxPower - 1.0f) * 100.0f,
                "######0.00");
    out.add("Luftförbr. maxeff.", f.airAtMaxPower, "###0.000");
    out.add("Utväxling", in.utv, "##0.0000");
    out.add("Gradtal momentkurva", in.degreeM, "#######");
    out.add("Gradtal flödeskurva", in.degreeL, "#######");
    out.text("Mätdatafil", in.fileName);
    out.text("Startvarvtal för kurvor:", BoxText(f.start));
    out.text("Slutvarvtal för kurvor:", BoxText(f.end));
    out.text("Datum:", in.dateTime);
    if (in.companion)
        Companion(out, *in.companion);
    Gear(out, in.designation, in.gear);
    return out.take();
}

EditorDataBlockInput DataBlockInputOf(const MotorDataEditor& editor, const std::string& dateTime,
                                      bool printRange) {
    using F = EditorField;
    const EditorFields& fields = editor.fields();
    EditorDataBlockInput in;
    in.targets = {fields.value(F::txtMeasured_0), fields.value(F::txtMeasured_1),
                  fields.value(F::txtMeasured_3), fields.value(F::txtMeasured_2)};
    in.minStartTorque = fields.value(F::Min_StartMomentB);
    in.figures = editor.figures().value_or(CurveFigures{});
    in.stallTorque = EvaluatePolynomial(editor.fits().torque, 0.0f);
    in.utv = fields.value(F::UtvB);
    in.gear = editor.gear();
    in.designation = editor.texts().designation;
    // Motor side of the gear at the maximum-power point, as the conversion evaluates the losses.
    in.efficiencyAtMaxPower = GearLosses(in.designation, in.gear, in.utv * in.figures.speedAtMaxPower,
                                         in.figures.torqueAtMaxPower / in.utv)
                                  .overall;
    in.kn = fields.value(F::KnB);
    in.km = fields.value(F::KmB);
    in.kl = fields.value(F::KlB);
    in.printRange = printRange;
    in.degreeM = editor.fits().degreeM;
    in.degreeL = editor.fits().degreeL;
    in.fileName = editor.fileName();
    in.dateTime = dateTime;
    if (const auto companion = editor.companionFigures())
        in.companion = EditorDataBlockInput::Companion{
            *companion, EvaluatePolynomial(editor.companionFits().torque, 0.0f)};
    return in;
}

void DrawEditorDataBlock(DiagramEngine& engine, const std::vector<DataBlockLine>& lines, float x, float top,
                         float xr) {
    // The diagram's world has y pointing up: "below" is a smaller y.
    float y = top - kFirstLineOffset;
    for (const DataBlockLine& line : lines) {
        engine.SetColour(QBColor(line.colour));
        // Label from the left edge, value ending at the right edge, both centred on the line.
        engine.DrawText(line.label, x, y, kFontSize, false, kLeftAligned);
        engine.DrawText(line.value, xr, y, kFontSize, false, kRightAligned);
        y -= kLineSpacing;
    }
    engine.SetColour(QBColor(0));
}

} // namespace airmotor::core
