#include "core/selection/RequirementRange.h"
#include "core/common/Keys.h"

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
    // Pressures: 3 bar up to the reference pressure, or whole psi 44 .. 91.
    return imperial ? RequirementRange{44.0f, kReferencePressurePsi, U::Pressure}
                    : RequirementRange{3.0f, kReferencePressureBar, U::Pressure};
}

} // namespace airmotor::core
