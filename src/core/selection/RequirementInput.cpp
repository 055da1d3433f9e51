#include "core/selection/RequirementInput.h"
#include "core/common/Keys.h"
#include "core/selection/RequirementRange.h"

#include "core/format/NumberFormat.h"

#include <cmath>

namespace airmotor::core {

std::string_view FieldName(RequirementField field) {
    switch (field) {
    case RequirementField::ArbetsMomentB:
        return "ArbetsMomentB";
    case RequirementField::ArbetsVarvtalB:
        return "ArbetsVarvtalB";
    case RequirementField::MinStartmomentB:
        return "MinStartmomentB";
    case RequirementField::StallmomentMinB:
        return "StallmomentMinB";
    case RequirementField::StallmomentMaxB:
        return "StallmomentMaxB";
    case RequirementField::TomgVarvMinB:
        return "TomgVarvMinB";
    case RequirementField::TomgVarvMaxB:
        return "TomgVarvMaxB";
    case RequirementField::TillgLuftTryckB:
        return "TillgLuftTryckB";
    }
    return "";
}

float& RequirementInput::valueOf(RequirementField field) {
    switch (field) {
    case RequirementField::ArbetsMomentB:
        return values.sngArbetsMoment;
    case RequirementField::ArbetsVarvtalB:
        return values.sngArbetsVarvtal;
    case RequirementField::MinStartmomentB:
        return values.sngMinStartmoment;
    case RequirementField::StallmomentMinB:
        return values.sngStallmomentMin;
    case RequirementField::StallmomentMaxB:
        return values.sngStallmomentMax;
    case RequirementField::TomgVarvMinB:
        return values.sngTomgVarvMin;
    case RequirementField::TomgVarvMaxB:
        return values.sngTomgVarvMax;
    case RequirementField::TillgLuftTryckB:
        break;
    }
    return values.sngTillgLuftTryck;
}

float RequirementInput::valueOf(RequirementField field) const {
    return const_cast<RequirementInput*>(this)->valueOf(field);
}

void RequirementInput::ValidateAndStore(RequirementField field, const UnitFactors& units, bool imperial) {
    NumericTextBox& b = box(field);
    const RequirementRange range = RangeOf(field, imperial);
    const double value = ValidateNumericField(b, 0.0f, range.lower, range.upper);
    switch (range.unit) {
    case RequirementRange::Unit::Pressure:
        // 91 psi is the reference pressure itself: stored exactly, so the factors are exactly 1.
        values.sngTillgLuftTryck = imperial && value == static_cast<double>(kReferencePressurePsi)
                                       ? kReferencePressureBar
                                       : static_cast<float>(value) * units.sngUnitPressure;
        break;
    case RequirementRange::Unit::Torque:
        valueOf(field) = static_cast<float>(value) * units.sngUnitTorque;
        break;
    case RequirementRange::Unit::Speed: // speeds are never converted
        valueOf(field) = static_cast<float>(value);
        break;
    }
}

void RequirementInput::UpdatePowerLabel(const UnitFactors& units) {
    // A power computed from a value outside its field's range would read as a valid result.
    for (RequirementField f : {RequirementField::ArbetsMomentB, RequirementField::ArbetsVarvtalB}) {
        const int colour = box(f).colour;
        if (colour == kColourBelowRange || colour == kColourAboveRange) {
            EffektA = PowerLabel{};
            return;
        }
    }
    // sngPi of the program is a single: 4 * arctan(1) rounded to float, and the product stays in float.
    const float sngPi = static_cast<float>(4 * std::atan(1.0));
    const float power =
        2 * sngPi * values.sngArbetsMoment * values.sngArbetsVarvtal / 60000 / units.sngUnitPower;
    EffektA.text = FormatNumber(power, "##0.000");
    // The colour follows the number as shown, not the unrounded value.
    EffektA.colour = LeadingNumber(EffektA.text) <= 24.02 ? 10 : 12;
}

} // namespace airmotor::core
