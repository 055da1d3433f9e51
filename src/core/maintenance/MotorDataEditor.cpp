#include "core/maintenance/MotorDataEditor.h"

#include <algorithm>
#include <cmath>

namespace airmotor::core {
namespace {

using F = EditorField;

constexpr std::size_t kSuffixLength = 4; // ".DAT"
constexpr const char* kScaledCompanionName = "TKS05.DAT";
const char* const kScaledCompanionText =
    "Obs! special införd 091106 för att kunna rita nedtryckt momentkurva "
    "till TKS 05-U (Momentfaktor, Km=0.8763)";

const char* const kNoReadingsText =
    "Inga mätpunkter: skriv in Varvtal mm, Nm mm och Luftf. mm eller hämta en mätdatafil. "
    "Diagrammet ritas inte.";
const char* const kNoScaleText =
    "Skalfaktorerna Varv/min/mm och Nm/mm måste vara större än 0. Diagrammet ritas inte.";

void Show(MessageSink& sink, std::string text) {
    sink.show(Message{-1, std::move(text), MessageIcon::Information, {}});
}

std::size_t Column(ReadingColumn column) {
    return static_cast<std::size_t>(column);
}

// The degree boxes accept 1..5; a value typed outside (shown in the range colour) is fitted at the
// nearest limit rather than sizing the normal equations by whatever was typed.
constexpr float kLowestDegree = 1.0f;
constexpr float kHighestDegree = 5.0f;

int Degree(float value) {
    if (!(value >= kLowestDegree))
        return static_cast<int>(kLowestDegree);
    return static_cast<int>(std::lround(std::min(value, kHighestDegree)));
}

} // namespace

std::string CompanionFileName(const std::string& measurementFile) {
    const std::size_t keep =
        measurementFile.size() > kSuffixLength ? measurementFile.size() - kSuffixLength : 0;
    return measurementFile.substr(0, keep) + "-U.DAT";
}

bool IsScaledCompanion(const std::string& measurementFile) {
    return measurementFile.find(kScaledCompanionName) != std::string::npos;
}

MotorDataEditor::MotorDataEditor(MessageSink& messages) : messages_(messages) {}

void MotorDataEditor::typeReading(ReadingColumn column, int point, const std::string& text) {
    if (point < 1 || point > kMaxMeasuredPoints)
        return;
    std::string& box = readingBoxes_[Column(column)][static_cast<std::size_t>(point)];
    readingsChanged_ = readingsChanged_ || box != text;
    box = text;
}

const std::string& MotorDataEditor::reading(ReadingColumn column, int point) const {
    return readingBoxes_[Column(column)][static_cast<std::size_t>(point)];
}

float MotorDataEditor::readingValue(ReadingColumn column, int point) const {
    return static_cast<float>(LeadingNumber(reading(column, point)));
}

int MotorDataEditor::filledPoints() const {
    int n = 0;
    while (n < kMaxMeasuredPoints && !reading(ReadingColumn::Speed, n + 1).empty())
        ++n;
    return n;
}

MeasurementData MotorDataEditor::measurementToSave(const std::string& date) const {
    MeasurementData data;
    data.sx = fields_.value(F::SxB);
    data.sy1 = fields_.value(F::Sy1B);
    data.sy2 = fields_.value(F::Sy2B);
    data.utvRef = fields_.value(F::UtvRefMatningB);
    for (int i = 1; i <= filledPoints(); ++i) {
        data.speed.push_back(readingValue(ReadingColumn::Speed, i));
        data.torque.push_back(readingValue(ReadingColumn::Torque, i));
        data.air.push_back(readingValue(ReadingColumn::Air, i));
    }
    data.targets = {fields_.value(F::txtMeasured_0), fields_.value(F::txtMeasured_1),
                    fields_.value(F::txtMeasured_3), fields_.value(F::txtMeasured_2)};
    data.kn = fields_.value(F::KnB);
    data.km = fields_.value(F::KmB);
    data.kl = fields_.value(F::KlB);
    data.minStartTorque = fields_.value(F::Min_StartMomentB);
    data.designation = texts_.designation;
    data.date = date;
    return data;
}

void MotorDataEditor::saved(const std::string& fileName) {
    fileName_ = fileName;
    readingsChanged_ = false;
    for (F f : {F::SxB, F::Sy1B, F::Sy2B})
        fields_.show(f, fields_.value(f));
    recompute();
}

void MotorDataEditor::clearReadings() {
    for (auto& column : readingBoxes_)
        for (auto& box : column) {
            readingsChanged_ = readingsChanged_ || !box.empty();
            box.clear();
        }
}

void MotorDataEditor::load(const MeasurementData& data, const std::string& fileName) {
    clearReadings();
    companion_ = ReadingSet{};
    companionLoaded_ = false;
    for (F f : {F::KnB, F::KmB, F::KlB})
        fields_.type(f, "1");
    for (F f : {F::txtMeasured_0, F::txtMeasured_1, F::txtMeasured_2, F::txtMeasured_3, F::Min_StartMomentB})
        fields_.type(f, "");
    const int n = std::min(data.count(), kMaxMeasuredPoints);
    fields_.show(F::SxB, data.sx);
    fields_.show(F::Sy1B, data.sy1);
    fields_.show(F::Sy2B, data.sy2);
    fields_.show(F::UtvRefMatningB, data.utvRef);
    for (int i = 1; i <= n; ++i) {
        const auto k = static_cast<std::size_t>(i - 1);
        typeReading(ReadingColumn::Speed, i, BoxText(data.speed[k]));
        typeReading(ReadingColumn::Torque, i, BoxText(data.torque[k]));
        typeReading(ReadingColumn::Air, i, BoxText(data.air[k]));
    }
    fields_.show(F::txtMeasured_0, data.targets.freeSpeed);
    fields_.show(F::txtMeasured_1, data.targets.maxPower);
    fields_.show(F::txtMeasured_3, data.targets.speedAtMaxPower);
    fields_.show(F::txtMeasured_2, data.targets.airAtMaxPower);
    fields_.show(F::KnB, data.kn);
    fields_.show(F::KmB, data.km);
    fields_.show(F::KlB, data.kl);
    fields_.show(F::Min_StartMomentB, data.minStartTorque);
    minStartFromFile_ = data.minStartTorque;
    texts_.designation = data.designation;
    fields_.type(F::VerkningsgradB, "100");
    fields_.type(F::UtvB, "1");
    fileName_ = fileName;
    readingsChanged_ = false;
    for (const std::string& warning : data.warnings)
        messages_.show(Message{-1, fileName + ": " + warning, MessageIcon::Warning, {}});
    recompute();
}

void MotorDataEditor::loadCompanion(const MeasurementData& companion) {
    const bool scaled = IsScaledCompanion(fileName_);
    if (scaled)
        Show(messages_, kScaledCompanionText);
    companion_ = ReadingSet{};
    companion_.n = companion.count();
    companion_.sx = companion.sx;
    companion_.sy1 = companion.sy1;
    companion_.sy2 = companion.sy2;
    for (int i = 1; i <= companion_.n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        companion_.speed[k] = companion.speed[k - 1];
        companion_.torque[k] =
            scaled ? companion.torque[k - 1] * kScaledCompanionTorque : companion.torque[k - 1];
        companion_.air[k] = companion.air[k - 1];
    }
    companionLoaded_ = true;
    fields_.show(F::UtvRefMatningB, companion.utvRef);
    recompute();
}

void MotorDataEditor::interpolateAir() {
    int n = 1;
    while (n < kMaxMeasuredPoints && !reading(ReadingColumn::Speed, n + 1).empty())
        ++n;
    for (int i = 2; i <= n - 1; ++i) {
        if (readingValue(ReadingColumn::Air, i) != 0.0f)
            continue;
        int j = i - 1;
        while (j >= 1 && !(readingValue(ReadingColumn::Air, j) > 0.0f))
            --j;
        int k = i + 1;
        while (k <= n && !(readingValue(ReadingColumn::Air, k) > 0.0f))
            ++k;
        if (j < 1 || k > n)
            continue; // no measured neighbour on one side: nothing to interpolate between
        const float aj = readingValue(ReadingColumn::Air, j);
        const float ak = readingValue(ReadingColumn::Air, k);
        const float sj = readingValue(ReadingColumn::Speed, j);
        const float sk = readingValue(ReadingColumn::Speed, k);
        const float si = readingValue(ReadingColumn::Speed, i);
        const float value = aj + (ak - aj) * (si - sj) / (sk - sj);
        if (std::isfinite(value))
            typeReading(ReadingColumn::Air, i, BoxText(value));
    }
}

void MotorDataEditor::newInput() {
    clearReadings();
    for (F f : {F::SxB, F::Sy1B, F::Sy2B})
        fields_.type(f, "");
    fields_.type(F::UtvRefMatningB, "1");
}

void MotorDataEditor::leaveGearRatio() {
    recompute();
    const float minStart =
        fields_.value(F::UtvB) * minStartFromFile_ * fields_.value(F::VerkningsgradB) / 100.0f;
    fields_.show(F::Min_StartMomentB, minStart);
}

void MotorDataEditor::leaveFactor() {
    recompute();
}

bool MotorDataEditor::decodeGear() {
    const GearDecodeResult result = DecodeGearDesignation(texts_.designation, decoded_);
    if (result.unknownCode) {
        Show(messages_, kUnknownGearCodeText);
        return false;
    }
    return true;
}

GearData MotorDataEditor::gear() const {
    GearData gear = decoded_;
    gear.wormDiameter = fields_.value(F::D1B);
    gear.module = fields_.value(F::MxB);
    gear.starts = fields_.value(F::Z1B);
    gear.pressureAngle = fields_.value(F::PressvB);
    gear.efficiencyPercent = fields_.value(F::VerkningsgradB);
    return gear;
}

ConversionFactors MotorDataEditor::factors() const {
    return {fields_.value(F::UtvB), fields_.value(F::UtvRefMatningB), fields_.value(F::KnB),
            fields_.value(F::KmB), fields_.value(F::KlB)};
}

ReadingSet MotorDataEditor::measuredReadings() const {
    ReadingSet set;
    set.n = n_;
    set.sx = fields_.value(F::SxB);
    set.sy1 = fields_.value(F::Sy1B);
    set.sy2 = fields_.value(F::Sy2B);
    for (int i = 1; i <= n_; ++i) {
        const auto k = static_cast<std::size_t>(i);
        set.speed[k] = readingValue(ReadingColumn::Speed, i);
        set.torque[k] = readingValue(ReadingColumn::Torque, i);
        set.air[k] = readingValue(ReadingColumn::Air, i);
    }
    return set;
}

void MotorDataEditor::recompute() {
    // The readings on screen count, typed or loaded: a file is only needed for the companion.
    n_ = filledPoints();
    const GearData g = gear();
    const int degreeM = Degree(fields_.value(F::GradtalB));
    const int degreeL = Degree(fields_.value(F::GradtalfB));
    converted_ = ConvertReadings(measuredReadings(), factors(), texts_.designation, g);
    fits_ = FitCurves(converted_, degreeM, degreeL);
    if (companionLoaded_) {
        companionConverted_ = ConvertReadings(companion_, factors(), texts_.designation, g);
        companionFits_ = FitCurves(companionConverted_, degreeM, degreeL);
    }
}

const char* MotorDataEditor::nothingToDraw() const {
    if (n_ == 0)
        return kNoReadingsText;
    if (fields_.value(F::SxB) == 0.0f || fields_.value(F::Sy1B) == 0.0f)
        return kNoScaleText;
    return nullptr;
}

std::optional<CurveFigures> MotorDataEditor::drawingPass() {
    const char* refusal = nothingToDraw();
    if (!refusal && !converted_.fault.empty())
        refusal = converted_.fault.c_str();
    if (refusal) {
        Show(messages_, refusal);
        figures_.reset();
        return std::nullopt;
    }
    figures_ = DrawnCurveFigures(fits_, converted_.sngTopVarv, fields_.value(F::txtStartVarvtalKurvor),
                                 fields_.value(F::txtMaxVarvtalKurvor));
    return figures_;
}

std::optional<CurveFigures> MotorDataEditor::companionFigures() const {
    if (!companionLoaded_ || !companionConverted_.fault.empty())
        return std::nullopt;
    return DrawnCurveFigures(companionFits_, companionConverted_.sngTopVarv,
                             fields_.value(F::txtStartVarvtalKurvor), fields_.value(F::txtMaxVarvtalKurvor));
}

void MotorDataEditor::showCalibrated(EditorField field, float target, float drawn, const char* what) {
    if (target == 0.0f)
        return; // no target for this factor: it stays as step 2 set it
    const float factor = target / drawn;
    if (std::isfinite(factor) && factor > 0.0f) {
        fields_.show(field, factor);
        return;
    }
    Show(messages_, std::string("Kalibreringen av ") + what +
                        " avbröts: de ritade kurvorna ger inget värde att "
                        "jämföra med. Faktorn lämnas oförändrad.");
}

bool MotorDataEditor::calibrate() {
    if (!decodeGear())
        return false;
    const float targetPower = fields_.value(F::txtMeasured_1);
    if (targetPower != 0.0f)
        for (F f : {F::KnB, F::KmB, F::KlB})
            fields_.type(f, "1");
    recompute();
    if (!drawingPass())
        return false;
    if (targetPower == 0.0f)
        return true;
    const float targetFree = fields_.value(F::txtMeasured_0);
    if (targetFree == 0.0f)
        fields_.type(F::KnB, "1");
    else
        showCalibrated(F::KnB, targetFree, figures_->freeSpeed, "Kn");
    recompute();
    if (!drawingPass())
        return false;
    showCalibrated(F::KmB, targetPower, figures_->maxPower, "Km");
    showCalibrated(F::KlB, fields_.value(F::txtMeasured_2), figures_->airAtMaxPower, "Kl");
    recompute();
    return drawingPass().has_value();
}

} // namespace airmotor::core
