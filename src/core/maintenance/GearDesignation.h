#pragma once

#include <string>
#include <string_view>

namespace airmotor::core {

// What the gear mark inside a designation (positions 10-12, counted from 1) names.
enum class GearKind { None, Worm, MultiStage };

// Gear data of the editor, all single precision. The worm data (d1, module, starts, pressure
// angle) and the efficiency come from the editor's boxes; the rest is decoded from the designation.
struct GearData {
    float centreDistance = 0.0f; // worm: a in mm, read from position 13 onwards
    float wormDiameter = 0.0f;   // d1, mm
    float module = 0.0f;         // m, mm
    float starts = 0.0f;         // z1
    float pressureAngle = 0.0f;  // alpha, degrees
    float stages = 0.0f;         // multi-stage: digit at position 14
    std::string gearCode;        // multi-stage: positions 14-16
    float axleDistance = 0.0f;   // input stage, mm
    float sealDiameter = 0.0f;   // input stage, mm
    float efficiencyPercent = 100.0f;
};

inline constexpr const char* kUnknownGearCodeText = "FELAKTIG VÄXELBETECKNING";

struct GearDecodeResult {
    GearKind kind = GearKind::None; // None: no mark, the caller beeps and nothing changed
    bool unknownCode = false;       // multi-stage code outside the table: stop the drawing
};

// Reads the gear mark and its size data out of the designation into gear. An unknown multi-stage
// code still sets the stages and the code read (they are set before the lookup).
GearDecodeResult DecodeGearDesignation(std::string_view designation, GearData& gear);

struct GearLossResult {
    float lossTorque = 0.0f; // T0, Nm
    float efficiency = 1.0f; // eta of the gear
    float overall = 1.0f;    // eta tot at this torque
};

// The branch is chosen from the designation itself (positions 10-11 "BS", then 10-12 "UAA", else
// the efficiency box), not from what a decode found. n in r/min and T in Nm on the motor side.
GearKind LossModelKind(std::string_view designation);
GearLossResult GearLosses(std::string_view designation, const GearData& gear, float n, float T);

} // namespace airmotor::core
