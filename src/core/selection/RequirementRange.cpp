#include "core/selection/RequirementRange.h"

namespace airmotor::core {

RequirementRange RangeOf(RequirementField field, bool imperial) {
    using U = RequirementRange::Unit;
    switch (field) {
    case RequirementField::ArbetsMomentB:
        return {0.0f, 10000.0f, U::Torque};
    case RequirementField::ArbetsVarvtalB:
    case RequirementField::TomgVarvMinB:
    case RequirementField::TomgVarvMaxB:
        return {0.0f, 30000.0f, U::Speed};
    case RequirementField::MinStartmomentB:
    case RequirementField::StallmomentMinB:
    case RequirementField::StallmomentMaxB:
        return {0.0f, 5000.0f, U::Torque};
    case RequirementField::TillgLuftTryckB:
        break;
    }
    // Pressures: 3 .. 6.3 bar, or whole psi 44 .. 91.
    return imperial ? RequirementRange{44.0f, 91.0f, U::Pressure} : RequirementRange{3.0f, 6.3f, U::Pressure};
}

} // namespace airmotor::core
