#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/common/Keys.h"
#include "core/model/PressureFactors.h"
#include "core/selection/RequirementInput.h"
#include "core/selection/ResultTable.h"

#include <optional>
#include <string>
#include <vector>

namespace airmotor::core {

class SelectionSession;

// How a result row delivers the duty: the curve the motor diagram draws for that row.
enum class DutyMode { Direct, Throttled, ReducedPressure };

// "direct", "throttled", "reduced-pressure".
const char* DutyModeName(DutyMode mode);

// User preferences of the running-cost estimate.
struct AirCostInputs {
    double hoursPerYear = 2000.0;
    double energyPerM3 = 0.12; // kWh per m³ free air (compressor's specific energy)
    double pricePerKWh = 0.15; // in `currency`
    // Shown beside every cost figure; the program converts no money, it only names it.
    std::string currency = "EUR";
};

// Air at 1 l/s free air for one hour is 3.6 m³.
inline constexpr double kM3hPerLitrePerSecond = 3.6;

// Cost per year of a steady free-air flow in l/s.
double AirCostPerYear(double airLitresPerSecond, const AirCostInputs& cost);

// The motor, the row and the duty; pressures in bar, torques in Nm, speeds in r/min.
struct DutyInput {
    const MotorCatalogue* catalogue = nullptr;
    int index = 0; // catalogue index
    std::string designation;
    PressureFactorValues factors; // the session's factors: "BS" designations keep them
    float availablePressure = kReferencePressureBar;
    ResultRow row;
    RequirementValues requirement;
};

// Every figure in SI units; margins in %. A margin over a requirement that was not given is empty.
struct DutyAnalysis {
    int index = 0;
    std::string designation;
    DutyMode mode = DutyMode::Direct;
    float pressure = 0.0f;      // supply pressure of the curve, bar
    float torqueAtSpeed = 0.0f; // Nm at the working speed
    std::optional<float> torqueMargin;
    std::optional<float> speedAtTorque; // r/min where the curve gives the working torque, if anywhere
    float power = 0.0f;                 // kW at the working speed
    float air = 0.0f;                   // l/s free air at the working speed
    float airM3h = 0.0f;                // m³/h free air
    std::optional<float> startTorqueMargin;
    float freeSpeed = 0.0f; // r/min of the curve
    std::optional<float> freeSpeedMargin;
    double airCostPerYear = 0.0;
};

DutyAnalysis AnalyseDuty(const DutyInput& input, const AirCostInputs& cost);

// Input for result row `row` (1-based) of the session, std::nullopt outside the result table.
std::optional<DutyInput> DutyInputOfRow(const SelectionSession& session, int row);

struct AnalysedRow {
    int row = 0; // 1-based result row
    DutyAnalysis analysis;
};

// Rows first..last of the session's result table (clamped to it).
std::vector<AnalysedRow> AnalyseRows(const SelectionSession& session, int first, int last,
                                     const AirCostInputs& cost);

} // namespace airmotor::core
