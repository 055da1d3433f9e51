#pragma once

#include "core/selection/RequirementInput.h"

namespace airmotor::core {

// What a requirement field accepts, in the units the user types: RequirementInput::ValidateAndStore
// validates with these limits (below lower the box turns white, above upper light red) and converts by unit.
struct RequirementRange {
    enum class Unit { Torque, Speed, Pressure };
    float lower = 0.0f;
    float upper = 0.0f;
    Unit unit = Unit::Torque;
};

RequirementRange RangeOf(RequirementField field, bool imperial);

} // namespace airmotor::core
