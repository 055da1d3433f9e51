#include "core/analysis/MotorComparison.h"

#include "core/analysis/AnalysisFigures.h"
#include "core/common/Keys.h"
#include "core/format/NumberFormat.h"
#include "core/format/NumberParsing.h"
#include "core/results/CurrentMotorDetails.h"
#include "core/session/SelectionSession.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <set>

namespace airmotor::core {

namespace {

constexpr const char* kMissing = "–";

// Display unit of a figure: SI value / factor.
enum class Unit { None, Torque, Power, Air, Mass, Pressure };

float UnitFactor(const UnitFactors& u, Unit unit) {
    switch (unit) {
    case Unit::Torque:
        return u.sngUnitTorque;
    case Unit::Power:
        return u.sngUnitPower;
    case Unit::Air:
        return u.sngUnitAir;
    case Unit::Mass:
        return u.sngUnitMass;
    case Unit::Pressure:
        return u.sngUnitPressure;
    case Unit::None:
        break;
    }
    return 1.0f;
}

// The detail panel's masks: small torques and weights get a second decimal.
std::string TorqueMask(double shown) {
    return shown < 10.0 ? "####0.00" : "####0.0";
}

// Bracketed unit text of the language ("[Nm]", "[lbf ft]"), the SI unit where a table lacks it.
std::string UnitText(const LanguageState& language, int key, const char* si) {
    const std::string& text = language.strText(key);
    return text.empty() ? std::string(si) : text;
}

std::string SpeedUnit(const LanguageState& language) {
    return "[" + SpeedUnitOf(language.strText) + "]";
}

std::string Caption(const LanguageState& language, int key, const std::string& fallback) {
    const std::string& text = language.strText(key);
    return text.empty() ? fallback : text;
}

struct FigureDefinition {
    std::string name;
    std::string caption;
    std::string tooltip;
    Better better;
    Unit unit;
    std::function<std::optional<double>(const AnalysedRow&, const CurrentMotor&, int index)> value;
    std::function<std::string(double shown)> mask;
};

std::optional<double> Given(std::optional<float> value) {
    return value ? std::optional<double>(static_cast<double>(*value)) : std::nullopt;
}

std::optional<double> Positive(float value) {
    return value > 0.0f ? std::optional<double>(static_cast<double>(value)) : std::nullopt;
}

std::vector<FigureDefinition> FigureDefinitions(const LanguageState& l, const MotorCatalogue& cat,
                                                const AirCostInputs& cost) {
    namespace K = TextKey;
    const auto text = [&l](int key) { return l.strText(key); };
    const auto fixed = [](const char* mask) { return [mask](double) { return std::string(mask); }; };
    const auto torque = [](double shown) { return TorqueMask(shown); };
    const std::string speed = SpeedUnit(l);
    const std::string torqueUnit = UnitText(l, 52, "[Nm]");
    const std::string pressureMask = l.strText(60).empty() ? "#0.00" : l.strText(60);
    const auto at = [&cat](int index) { return static_cast<std::size_t>(index); };
    std::vector<FigureDefinition> definitions = {
        {"maxPower", Caption(l, 98, "Max power [kW]"), "", Better::Higher, Unit::Power,
         [](const AnalysedRow&, const CurrentMotor& c, int) { return Positive(c.sngCurMaxEffekt); },
         fixed("#0.00")},
        {"torqueAtMaxPower", Caption(l, 51, "Torque at max. power") + " " + torqueUnit, "", Better::Neither,
         Unit::Torque,
         [](const AnalysedRow&, const CurrentMotor& c, int) { return Positive(c.sngCurMomentMaxeff); },
         torque},
        {"speedAtMaxPower", text(K::SpeedAtMaxPower) + " " + speed, "", Better::Neither, Unit::None,
         [](const AnalysedRow&, const CurrentMotor& c, int) { return Positive(c.sngCurVarvMaxeff); },
         fixed("####0")},
        {"airAtMaxPower", text(K::AirAtMaxPower) + " " + UnitText(l, 54, "[l/s]"), "", Better::Lower,
         Unit::Air,
         [](const AnalysedRow&, const CurrentMotor& c, int) { return Positive(c.sngCurLuftMaxeff); },
         fixed("####0.0")},
        // A catalogue start torque of 0 means none was recorded: it is no figure to compare.
        {"startTorque", Caption(l, 100, "Min. starting torque [Nm]"), "", Better::Higher, Unit::Torque,
         [](const AnalysedRow&, const CurrentMotor& c, int) { return Positive(c.sngCurMinStartMoment); },
         torque},
        {"stallTorque", Caption(l, 102, "Stall torque [Nm]"), "", Better::Higher, Unit::Torque,
         [](const AnalysedRow&, const CurrentMotor& c, int) { return Positive(c.sngCurStallmoment); },
         torque},
        {"freeSpeed", Caption(l, 101, "Free speed [r/min]"), "", Better::Neither, Unit::None,
         [](const AnalysedRow&, const CurrentMotor& c, int) { return Positive(c.sngCurTomgVarv); },
         [](double shown) { return std::string(shown < 100.0 ? "####0.0" : "####0"); }},
        {"weight", Caption(l, 103, "Weight [kg]"), "", Better::Lower, Unit::Mass,
         [&cat, at](const AnalysedRow&, const CurrentMotor&, int k) { return Positive(cat.sngVikt[at(k)]); },
         [](double shown) { return std::string(shown >= 10.0 ? "####0.0" : "####0.00"); }},
        {"price", text(K::RelativePrice), "", Better::Lower, Unit::None,
         [&cat, at](const AnalysedRow&, const CurrentMotor&, int k) { return Positive(cat.sngPris[at(k)]); },
         fixed("####0.0")},
        {"pressure", Caption(l, 106, "Working pressure [bar(e)]"), text(K::PressureTip), Better::Neither,
         Unit::Pressure,
         [](const AnalysedRow& r, const CurrentMotor&, int) { return Positive(r.analysis.pressure); },
         [pressureMask](double) { return pressureMask; }},
        {"torqueAtSpeed", text(K::TorqueAtWorkingSpeed) + " " + torqueUnit, text(K::TorqueTip),
         Better::Higher, Unit::Torque,
         [](const AnalysedRow& r, const CurrentMotor&, int) {
             return std::optional<double>(static_cast<double>(r.analysis.torqueAtSpeed));
         },
         torque},
        {"torqueMargin", text(K::TorqueMargin) + " [%]", text(K::TorqueMarginTip), Better::Higher, Unit::None,
         [](const AnalysedRow& r, const CurrentMotor&, int) { return Given(r.analysis.torqueMargin); },
         fixed("###0.0")},
        {"speedAtTorque", text(K::SpeedAtWorkingTorque) + " " + speed, text(K::SpeedAtTorqueTip),
         Better::Higher, Unit::None,
         [](const AnalysedRow& r, const CurrentMotor&, int) { return Given(r.analysis.speedAtTorque); },
         fixed("####0")},
        {"power", text(K::PowerAtWorkingSpeed) + " " + UnitText(l, 53, "[kW]"), text(K::PowerTip),
         Better::Higher, Unit::Power,
         [](const AnalysedRow& r, const CurrentMotor&, int) {
             return std::optional<double>(static_cast<double>(r.analysis.power));
         },
         fixed("#0.00")},
        {"air", text(K::AirConsumption) + " " + UnitText(l, 54, "[l/s]"), text(K::ComparedAirTip),
         Better::Lower, Unit::Air,
         [](const AnalysedRow& r, const CurrentMotor&, int) {
             return std::optional<double>(static_cast<double>(r.analysis.air));
         },
         fixed("####0.0")},
    };
    // Imperial users read the air in cfm only; m³/h is the metric habit.
    if (l.intImperialUnits != 1)
        definitions.push_back({"airM3h", text(K::AirConsumption) + " [m³/h]", text(K::AirM3hTip),
                               Better::Lower, Unit::None,
                               [](const AnalysedRow& r, const CurrentMotor&, int) {
                                   return std::optional<double>(static_cast<double>(r.analysis.airM3h));
                               },
                               fixed("####0.0")});
    definitions.push_back({"startTorqueMargin", text(K::StartTorqueMargin) + " [%]", text(K::StartMarginTip),
                           Better::Higher, Unit::None,
                           [&cat, at](const AnalysedRow& r, const CurrentMotor&, int k) {
                               return cat.sngMinStartMoment[at(k)] > 0.0f
                                          ? Given(r.analysis.startTorqueMargin)
                                          : std::nullopt;
                           },
                           fixed("###0.0")});
    definitions.push_back(
        {"freeSpeedMargin", text(K::DistanceToFreeSpeed) + " [%]", text(K::FreeSpeedMarginTip),
         Better::Higher, Unit::None,
         [](const AnalysedRow& r, const CurrentMotor&, int) { return Given(r.analysis.freeSpeedMargin); },
         fixed("###0.0")});
    definitions.push_back({"airCostPerYear", text(K::AirCostPerYear) + " [" + cost.currency + "]",
                           AirCostTooltip(cost, l.strText), Better::Lower, Unit::None,
                           [](const AnalysedRow& r, const CurrentMotor&, int) {
                               return std::optional<double>(r.analysis.airCostPerYear);
                           },
                           fixed("####0")});
    return definitions;
}

// Figures read at the working point: without one (a listing, a search by stall torque or free speed)
// they describe no duty and stay empty.
bool NeedsWorkingPoint(const std::string& name) {
    static const std::set<std::string> kCatalogueFigures = {
        "maxPower",    "torqueAtMaxPower", "speedAtMaxPower", "airAtMaxPower", "startTorque",
        "stallTorque", "freeSpeed",        "weight",          "price",         "pressure"};
    return kCatalogueFigures.count(name) == 0;
}

// The value as the table shows it, read back: ties and the best are judged on what the user sees.
double ShownValue(const std::string& text) {
    return LeadingDouble(text);
}

} // namespace

const char* BetterName(Better better) {
    switch (better) {
    case Better::Higher:
        return "higher";
    case Better::Lower:
        return "lower";
    case Better::Neither:
        break;
    }
    return "";
}

const ComparedFigure* MotorComparison::figure(std::string_view name) const {
    for (const ComparedFigure& f : figures)
        if (f.name == name)
            return &f;
    return nullptr;
}

std::optional<std::string> CheckComparedRows(const std::vector<int>& rows, int rowCount) {
    if (rows.empty())
        return "no row was chosen to compare";
    if (static_cast<int>(rows.size()) > kMaxComparedMotors)
        return "at most " + std::to_string(kMaxComparedMotors) + " motors can be compared, " +
               std::to_string(rows.size()) + " were chosen";
    std::set<int> seen;
    for (int row : rows) {
        if (row < 1 || row > rowCount)
            return "row " + std::to_string(row) + " does not exist (the result list has " +
                   std::to_string(rowCount) + " rows)";
        if (!seen.insert(row).second)
            return "row " + std::to_string(row) + " was chosen twice";
    }
    return std::nullopt;
}

void MarkBest(ComparedFigure& f) {
    f.best.assign(f.values.size(), false);
    if (f.better == Better::Neither)
        return;
    std::vector<std::size_t> present;
    for (std::size_t i = 0; i < f.values.size(); ++i)
        if (f.values[i] && i < f.texts.size())
            present.push_back(i);
    if (present.size() < 2)
        return;
    const auto shown = [&](std::size_t i) { return ShownValue(f.texts[i]); };
    double best = shown(present.front());
    bool allEqual = true;
    for (std::size_t i : present) {
        const double v = shown(i);
        allEqual = allEqual && v == best;
        best = f.better == Better::Higher ? std::max(best, v) : std::min(best, v);
    }
    if (allEqual)
        return;
    for (std::size_t i : present)
        f.best[i] = shown(i) == best;
}

MotorComparison CompareRows(const SelectionSession& session, const std::vector<int>& rows,
                            const LanguageState& language, const AirCostInputs& cost) {
    MotorComparison comparison;
    comparison.rowHeading = language.strText(TextKey::ComparisonRowHeading);
    comparison.bestNote = language.strText(TextKey::ComparisonBestNote);
    std::vector<CurrentMotor> keys;
    for (int row : rows) {
        const std::optional<DutyInput> input = DutyInputOfRow(session, row);
        if (!input)
            continue;
        comparison.motors.push_back({row, AnalyseDuty(*input, cost)});
        PressureFactorValues f = input->factors;
        PressureFactors(input->availablePressure, input->designation, f);
        CurrentMotor motor;
        MakeCurrentMotor(motor, session.catalogue(), input->index, f);
        keys.push_back(motor);
    }
    ComparedFigure mode{"mode",
                        language.strText(TextKey::Regulation),
                        language.strText(TextKey::ModeTip),
                        Better::Neither,
                        {},
                        {},
                        {}};
    for (const AnalysedRow& r : comparison.motors) {
        const std::string& text = language.strText(DutyModeTextKey(r.analysis.mode));
        mode.values.emplace_back(std::nullopt);
        mode.texts.push_back(text.empty() ? DutyModeName(r.analysis.mode) : text);
    }
    MarkBest(mode);
    bool modeAdded = false;

    for (const FigureDefinition& figure : FigureDefinitions(language, session.catalogue(), cost)) {
        if (figure.name == "pressure" && !modeAdded) {
            comparison.figures.push_back(mode);
            modeAdded = true;
        }
        ComparedFigure f{figure.name, figure.caption, figure.tooltip, figure.better, {}, {}, {}};
        const float unit = UnitFactor(language.units, figure.unit);
        const bool shown = session.bolArbetspunkt() || !NeedsWorkingPoint(figure.name);
        for (std::size_t i = 0; i < comparison.motors.size(); ++i) {
            const AnalysedRow& r = comparison.motors[i];
            const std::optional<double> value =
                shown ? figure.value(r, keys[i], r.analysis.index) : std::nullopt;
            f.values.push_back(value);
            if (!value) {
                f.texts.emplace_back(kMissing);
                continue;
            }
            const double display = *value / static_cast<double>(unit);
            f.texts.push_back(FormatNumber(display, figure.mask(display)));
        }
        MarkBest(f);
        comparison.figures.push_back(std::move(f));
    }
    return comparison;
}

} // namespace airmotor::core
