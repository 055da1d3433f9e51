#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace airmotor::core {

inline constexpr int kMaxMeasuredPoints = 32;

// Targets in the order the file holds them (line 5).
struct MeasurementTargets {
    float freeSpeed = 0.0f;       // r/min
    float maxPower = 0.0f;        // kW
    float speedAtMaxPower = 0.0f; // r/min
    float airAtMaxPower = 0.0f;   // l/s
};

// Contents of a measurement data file ("*.DAT"): readings in millimetres on the measured diagram.
struct MeasurementData {
    float sx = 0.0f, sy1 = 0.0f, sy2 = 0.0f; // scale factors per mm
    float utvRef = 1.0f;                     // gear ratio of the measured motor
    std::vector<float> speed, torque, air;   // n readings each, index 0 = point 1
    MeasurementTargets targets;
    float kn = 1.0f, km = 1.0f, kl = 1.0f;
    float minStartTorque = 0.0f; // Nm
    std::string designation;
    std::string date; // yyyy-mm-dd of saving; ignored when read
    // What the reader had to change to make sense of the file (a designation in the old code page).
    std::vector<std::string> warnings;

    int count() const { return static_cast<int>(speed.size()); }
};

struct MeasurementFileError {
    int line = 0; // 1-based line of the fault; 0: the file as a whole
    std::string what;
};

using MeasurementParse = std::variant<MeasurementData, MeasurementFileError>;

// The nine-line format. Lines 1-8 are required (the date line is not read); a companion file only
// needs lines 1-4. A count outside 0..32 or not whole, a reading line whose number of values differs
// from the count, a bad number or a missing line is refused with the line named; UTF-16 text is
// refused as such. A designation that is not UTF-8 was written by the old platform in its code
// page: it is converted, with a warning.
MeasurementParse ParseMeasurementFile(std::string_view text);
MeasurementParse ParseCompanionFile(std::string_view text);

// The file text: numbers as the shortest text that reads back to the same float, '.' as separator,
// the designation quoted, the date as #yyyy-mm-dd#, CR LF line ends.
std::string FormatMeasurementFile(const MeasurementData& data);

// Shortest text that reads back to the same float, '.' whatever the locale.
std::string ShortestFloatText(float value);

} // namespace airmotor::core
