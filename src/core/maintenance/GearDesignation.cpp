#include "core/maintenance/GearDesignation.h"

#include "core/format/NumericTextBox.h"

#include <array>
#include <cmath>

namespace airmotor::core {
namespace {

// Substring of positions [first, first + length) counted from 1, shorter at the end of the text.
std::string_view Mid(std::string_view text, std::size_t first, std::size_t length) {
    if (first - 1 >= text.size())
        return {};
    return text.substr(first - 1, length);
}

struct MultiStageCode {
    std::string_view code;
    float axleDistance; // mm
    float sealDiameter; // mm
};

constexpr std::array<MultiStageCode, 7> kMultiStageCodes{{{"241", 45.0f, 35.0f},
                                                          {"344", 45.0f, 35.0f},
                                                          {"347", 45.0f, 35.0f},
                                                          {"244", 57.0f, 40.0f},
                                                          {"247", 70.0f, 45.0f},
                                                          {"351", 70.0f, 45.0f},
                                                          {"251", 95.0f, 55.0f}}};

constexpr double kPerStageLoss = 0.5 / 100.0;
// Sliding speed of a worm in m/s from d1 in mm and n in r/min: pi / 60000 rounded as 1 / 19100.
constexpr double kSlidingSpeedDivisor = 19100.0;

// Empirical friction coefficient of the worm over its sliding speed v: mu = a / (1 + b (v / v0)^e) + c,
// 0.12 at rest and falling towards c as the speed grows.
struct WormFriction {
    double a = 0.11;
    double b = 1.63;
    double v0 = 0.25; // m/s
    double exponent = 0.72;
    double c = 0.01;
};
constexpr WormFriction kWormFriction;
// No-load loss torque of a worm stage [Nm]: a (centre distance / 100 mm)^e1 + b (n / 1000 r/min)^e2.
struct WormNoLoad {
    double a = 0.41;
    double e1 = 1.67;
    double b = 0.25;
    double e2 = 0.44;
};
constexpr WormNoLoad kWormNoLoad;
// No-load loss torque of a multi-stage gear [Nm]: a seal term k1 d^2 (seal diameter d in m) and a
// speed term k2 a^2 (axle distance a in 100 mm) times the power figure n / 9550 (kW per Nm at n
// r/min), which sets in as 1 - e^(-n / 1000 r/min).
constexpr double kSealLoss = 75.0;
constexpr double kSpeedLoss = 1.45;
constexpr double kSpeedLossOnset = 1000.0; // r/min
constexpr double kRpmNewtonMetresPerKilowatt = 9550.0;
// The units the formulas scale their inputs to.
constexpr double kMillimetresPerMetre = 1000.0;
constexpr double kCentreDistanceUnit = 100.0; // mm
constexpr double kNoLoadSpeedUnit = 1000.0;   // r/min
constexpr double kDegreesPerHalfTurn = 180.0;

double Pi() {
    return static_cast<double>(static_cast<float>(4.0 * std::atan(1.0)));
}

GearLossResult WormLosses(const GearData& g, double n) {
    const double gamma = std::atan(static_cast<double>(g.starts) * static_cast<double>(g.module) /
                                   static_cast<double>(g.wormDiameter));
    const double slidingSpeed =
        static_cast<double>(g.wormDiameter) * n / (std::cos(gamma) * kSlidingSpeedDivisor);
    const WormFriction& f = kWormFriction;
    const double mu = f.a / (1.0 + f.b * std::pow(slidingSpeed / f.v0, f.exponent)) + f.c;
    const double rho =
        std::atan(mu / std::cos(Pi() * static_cast<double>(g.pressureAngle) / kDegreesPerHalfTurn));
    GearLossResult r;
    r.efficiency = static_cast<float>(std::tan(gamma) / std::tan(gamma + rho));
    const WormNoLoad& l = kWormNoLoad;
    r.lossTorque =
        static_cast<float>(l.a * std::pow(static_cast<double>(g.centreDistance) / kCentreDistanceUnit, l.e1) +
                           l.b * std::pow(n / kNoLoadSpeedUnit, l.e2));
    return r;
}

GearLossResult MultiStageLosses(const GearData& g, double n) {
    GearLossResult r;
    const double seal = static_cast<double>(g.sealDiameter) / kMillimetresPerMetre;
    const double axle = static_cast<double>(g.axleDistance) / kCentreDistanceUnit;
    r.lossTorque = static_cast<float>(kSealLoss * seal * seal + (1.0 - std::exp(-n / kSpeedLossOnset)) *
                                                                    (n / kRpmNewtonMetresPerKilowatt) *
                                                                    kSpeedLoss * axle * axle);
    r.efficiency = static_cast<float>(1.0 - static_cast<double>(g.stages) * kPerStageLoss);
    return r;
}

} // namespace

GearDecodeResult DecodeGearDesignation(std::string_view designation, GearData& gear) {
    const std::string_view mark = Mid(designation, 10, 3);
    if (mark != "BS " && mark != "UAA")
        return {};
    if (Mid(designation, 10, 2) == "BS") {
        gear.centreDistance =
            static_cast<float>(LeadingNumber(std::string(Mid(designation, 13, std::string_view::npos))));
        return {GearKind::Worm, false};
    }
    gear.stages = static_cast<float>(LeadingNumber(std::string(Mid(designation, 14, 1))));
    gear.gearCode = std::string(Mid(designation, 14, 3));
    for (const MultiStageCode& entry : kMultiStageCodes) {
        if (entry.code == gear.gearCode) {
            gear.axleDistance = entry.axleDistance;
            gear.sealDiameter = entry.sealDiameter;
            return {GearKind::MultiStage, false};
        }
    }
    return {GearKind::MultiStage, true};
}

GearKind LossModelKind(std::string_view designation) {
    if (Mid(designation, 10, 2) == "BS")
        return GearKind::Worm;
    if (Mid(designation, 10, 3) == "UAA")
        return GearKind::MultiStage;
    return GearKind::None;
}

GearLossResult GearLosses(std::string_view designation, const GearData& gear, float n, float T) {
    const GearKind kind = LossModelKind(designation);
    if (kind == GearKind::None) {
        const float eta = static_cast<float>(static_cast<double>(gear.efficiencyPercent) / 100.0);
        return {0.0f, eta, eta};
    }
    GearLossResult r = kind == GearKind::Worm ? WormLosses(gear, n) : MultiStageLosses(gear, n);
    r.overall = T == 0.0f
                    ? 0.0f
                    : static_cast<float>((1.0 - static_cast<double>(r.lossTorque) / static_cast<double>(T)) *
                                         static_cast<double>(r.efficiency));
    return r;
}

} // namespace airmotor::core
