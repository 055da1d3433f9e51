#include "core/calculators/CalculatorModel.h"

#include "core/calculators/RotatingMassCalculation.h"
#include "core/calculators/WagonCalculation.h"
#include "core/common/Keys.h"
#include "core/format/NumberFormat.h"
#include "core/results/SearchSummary.h"

#include <algorithm>

namespace airmotor::core {

namespace {
constexpr int kMotorDataKey = 191;
constexpr const char* kCalculatorPressureUnit = "bar(e)"; // written alike in every language
constexpr int kHeadingKey = 197, kResultAfterKey = 175, kSecondsKey = 174, kOwnMotorDataKey = 220;
constexpr const char* kResultMask = "###0.00";
// Seconds down to the single-precision digits a typed time keeps.
constexpr const char* kPlainTimeMask = "0.#######";

// Formatted numbers are read back by the numeric parser, which takes only a point.
std::string WithDecimalPoint(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

bool IsMotorBox(int box) {
    return box >= kStallTorqueBox && box <= kFreeSpeedBox;
}
} // namespace

std::string ResultHeading(const TextTable& strText, float T) {
    // The leading blank of a non-negative number separates it from the text before it. The classic
    // layout drops the zero before the point (" .7"), which a reader takes for a typing error, and
    // writes long times with an exponent ("1E+08"), which reads as a code: those are written out.
    std::string time = StrSingle(T);
    if (time.find('E') != std::string::npos)
        time = FormatNumber(T, kPlainTimeMask);
    // A negative time (typed, refused by the calculation) would otherwise run into the text.
    if (time.front() != ' ')
        time = " " + time;
    const std::size_t point = time.find('.');
    if (point != std::string::npos && (point == 0 || time[point - 1] == ' ' || time[point - 1] == '-'))
        time = time.substr(0, point) + '0' + time.substr(point);
    return strText(kResultAfterKey) + time + " " + strText(kSecondsKey) + " :";
}

std::string MotorDataHeading(const TextTable& strText) {
    std::string heading = strText(kMotorDataKey);
    std::size_t end = heading.size();
    while (end > 0 && (heading[end - 1] == ':' || heading[end - 1] == ' '))
        --end;
    const std::string pressure =
        " (" + FormatNumber(kReferencePressure, "0.0") + " " + kCalculatorPressureUnit + ")";
    return heading.substr(0, end) + pressure + heading.substr(end);
}

CalculatorModel::CalculatorModel(const CalculatorLayout& layout, const TextTable& strText,
                                 MessageSink& messages)
    : layout_(layout), strText_(strText), messages_(messages) {}

const CalculatorField* CalculatorModel::FieldOf(int box) const {
    for (const auto& f : layout_.inputs)
        if (f.box == box)
            return &f;
    return nullptr;
}

bool CalculatorModel::isInput(int box) const {
    return FieldOf(box) != nullptr || IsMotorBox(box);
}

bool CalculatorModel::isResult(int box) const {
    return std::find(layout_.resultBoxes.begin(), layout_.resultBoxes.end(), box) !=
           layout_.resultBoxes.end();
}

void CalculatorModel::Load(bool ownMotorData) {
    for (const auto& f : layout_.inputs) {
        boxes_[f.box].text = std::string(f.initial);
        OnChange(f.box);
    }
    ApplyCaptions();
    printEnabled_ = false;
    SetOwnMotorData(ownMotorData);
}

void CalculatorModel::ApplyCaptions() {
    heading_ = strText_(kHeadingKey);
}

std::string CalculatorModel::KeyedText(std::string_view typed) {
    std::string text;
    for (char c : typed) {
        auto key = static_cast<std::int16_t>(static_cast<unsigned char>(c));
        if (NumericKeyFilter(key) && key >= ' ')
            text.push_back(static_cast<char>(key));
    }
    return text;
}

void CalculatorModel::Type(int box, std::string_view typed) {
    if (!isInput(box) || (IsMotorBox(box) && !own_))
        return; // result boxes and locked motor boxes take no keys
    boxes_[box].text = KeyedText(typed);
    OnChange(box);
}

void CalculatorModel::OnChange(int box) {
    if (IsMotorBox(box)) {
        if (!own_)
            return;
        fields_[box] = static_cast<float>(ValidateNumericField(boxes_[box], 0.0f, 0.0f, kMotorFieldUpper));
        printEnabled_ = false;
        ClearResults();
        return;
    }
    const CalculatorField* f = FieldOf(box);
    if (f == nullptr)
        return;
    ClearResults();
    // Print would show the new inputs beside the old curves: it waits for the next calculation.
    printEnabled_ = false;
    if (listener_)
        listener_->HideDiagram();
    fields_[box] = static_cast<float>(ValidateNumericField(boxes_[box], 0.0f, f->lower, f->upper));
    if (box == kTimeBox)
        heading_ = ResultHeading(strText_, fields_[kTimeBox]);
}

void CalculatorModel::ClearResults() {
    for (int box : layout_.resultBoxes)
        boxes_[box].text.clear();
    if (!curves_)
        return;
    curves_.reset();
    if (listener_)
        listener_->CurvesWithdrawn();
}

void CalculatorModel::SetOwnMotorData(bool allowed) {
    own_ = allowed;
    for (int box = kStallTorqueBox; box <= kFreeSpeedBox; ++box)
        boxes_[box].colour = allowed ? kColourValid : kMotorBoxLockedColour;
    if (allowed) {
        boxes_[kMotorTypeBox].text = strText_(kOwnMotorDataKey);
        shownMotor_ = -1; // the next activation without own data refills the boxes
    }
}

void CalculatorModel::SetMotorText(int box, const std::string& text) {
    boxes_[box].text = WithDecimalPoint(text);
    fields_[box] = static_cast<float>(LeadingNumber(boxes_[box].text));
}

void CalculatorModel::ShowMotor(const MotorCatalogue& catalogue, int index, bool rowClicked) {
    if (own_)
        return;
    const bool known = index > 0 && index <= catalogue.intAntalMotorer;
    const auto k = static_cast<std::size_t>(known ? index : 0);
    boxes_[kMotorTypeBox].text = known ? catalogue.strBenamning[k] : std::string();
    SetMotorText(kStallTorqueBox, known ? FormatNumber(catalogue.sngStallmoment[k], "###0.00") : "");
    SetMotorText(kStartTorqueBox, known ? FormatNumber(catalogue.sngMinStartMoment[k], "###0.00") : "");
    SetMotorText(kFreeSpeedBox, known ? FormatNumber(catalogue.sngTomgVarvtal[k], "###0") : "");
    if (rowClicked || index != shownMotor_) {
        ClearResults();
        printEnabled_ = false;
    }
    shownMotor_ = index;
}

void CalculatorModel::Unload() {
    // The motor values are forgotten, and so are their texts: a reopened window must not show own
    // data that the calculation no longer uses. Results and Print wait for a new calculation.
    for (int box = kStallTorqueBox; box <= kFreeSpeedBox; ++box) {
        fields_[box] = 0.0f;
        boxes_[box].text.clear();
    }
    ClearResults();
    printEnabled_ = false;
    shownMotor_ = -1;
}

CalculationResult CalculatorModel::Solve() const {
    const auto f = [this](int box) { return fields_[box]; };
    if (layout_.kind == CalculatorKind::Wagon)
        return SolveWagon({f(0), f(1), f(2), f(3), f(4), f(5), f(6), f(7), f(11), f(12)}, motor_);
    return SolveRotatingMass({f(0), f(1), f(2), f(3), f(4), f(5), f(7)}, motor_);
}

std::string CalculatorModel::ZeroInputText(int box) const {
    return FillPlaceholders(strText_(TextKey::CalculatorInputNotPositive),
                            {BoxCaption(layout_, box, strText_)});
}

CalculationResult CalculatorModel::Calculate(const MotorCatalogue& catalogue, int index) {
    if (listener_)
        listener_->HideDiagramHelp();
    if (own_) {
        motor_ = {fields_[kStallTorqueBox], fields_[kStartTorqueBox], fields_[kFreeSpeedBox]};
    } else if (index > 0 && index <= catalogue.intAntalMotorer) {
        const auto k = static_cast<std::size_t>(index);
        motor_ = {catalogue.sngStallmoment[k], catalogue.sngMinStartMoment[k], catalogue.sngTomgVarvtal[k]};
    } else {
        motor_ = {};
    }
    CalculationResult result = Solve();
    if (result.refusal != 0) {
        if (result.clearsResults) {
            ClearResults();
            if (listener_)
                listener_->HideDiagram();
        }
        if (result.zeroBox >= 0)
            messages_.show(Message{
                TextKey::CalculatorInputNotPositive, ZeroInputText(result.zeroBox), MessageIcon::None, {}});
        else
            messages_.show(Message{result.refusal, strText_(result.refusal), MessageIcon::None, {}});
        return result;
    }
    for (const auto& [box, value] : result.shown)
        boxes_[box].text = FormatNumber(value, kResultMask);
    curves_ = result;
    if (listener_)
        listener_->ShowCurves();
    printEnabled_ = true;
    heading_ = ResultHeading(strText_, fields_[kTimeBox]);
    return result;
}

} // namespace airmotor::core
