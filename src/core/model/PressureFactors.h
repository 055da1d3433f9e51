#pragma once

#include <string_view>

namespace airmotor::core {

// Torque, speed and air factors of one designation at one supply pressure (exactly 1 at 6.3 bar).
struct PressureFactorValues {
    float sngKm = 1.0f;
    float sngKn = 1.0f;
    float sngKl = 1.0f;
};

// p in bar. A TKS "BS" designation writes nothing: the previous factors stay.
void PressureFactors(float p, std::string_view strCurrentBenamning, PressureFactorValues& factors);

} // namespace airmotor::core
