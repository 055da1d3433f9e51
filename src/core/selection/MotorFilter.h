#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/selection/OptionStates.h"

#include <cstdint>

namespace airmotor::core {

// The option filters that the search and the catalogue listing apply alike.
struct MotorFilter {
    int optRotation = 0;
    std::int16_t intOptSteel = 0;
    std::int16_t intOptBrake = 0;
    std::int16_t intTypTKM = 1;
    std::int16_t intTypTKS = 1;
    std::int16_t intTypPGW = 0;
    bool allSeriesTicked = false;
    int optLubricatedTKS = 0;
    int optSteelTKS = 0;
    int optTKSRestricted = 0;

    static MotorFilter From(const OptionStates& options);

    // TKM rotation, steel and brake (other series pass).
    bool PassesTkmOptions(const MotorCatalogue& catalogue, int i) const;
    // The motor's series is ticked.
    bool PassesSeries(const MotorCatalogue& catalogue, int i) const;
    // TKS lubrication and steel (other series pass).
    bool PassesTksOptions(const MotorCatalogue& catalogue, int i) const;
    // "Only show restricted versions" drops unrestricted ("-U") motors; the other two choices keep them.
    bool DropsUnrestricted(const MotorCatalogue& catalogue, int i) const;
};

} // namespace airmotor::core
