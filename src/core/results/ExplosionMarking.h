#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace airmotor::core {

inline constexpr std::string_view kMarkingT85 = "Ex II 2GD c T6 IIC T85 °C";
inline constexpr std::string_view kMarkingT85X = "Ex II 2GD c T6 IIC T85°C X";
inline constexpr std::string_view kMarkingT110 = "Ex II 2GD c T4 IIC T110 °C";
inline constexpr std::string_view kMarkingT240 = "Ex II 2GD c T2 IIC T240 °C";

struct ExplosionMarkingResult {
    std::string lblClass;                // "" when no marking applies
    bool clearCertificateNumber = false; // a designation of no known family
};

// Marking of designation d with gear ratio utvaxling; cellText is the clicked cell (one family reads it).
ExplosionMarkingResult ExplosionMarking(std::string_view d, float utvaxling, std::string_view cellText);

} // namespace airmotor::core
