#include "core/selection/RequirementInput.h"
#include "core/common/Keys.h"

#include "core/format/NumberFormat.h"

#include <cmath>

namespace airmotor::core {

namespace {

struct FieldLimits {
    float upper;
    bool torqueUnit; // converted with sngUnitTorque on entry; speeds are never converted
};

FieldLimits LimitsOf(RequirementField field) {
    switch (field) {
    case RequirementField::ArbetsMomentB:
        return {10000.0f, true};
    case RequirementField::ArbetsVarvtalB:
        return {30000.0f, false};
    case RequirementField::MinStartmomentB:
    case RequirementField::StallmomentMinB:
    case RequirementField::StallmomentMaxB:
        return {5000.0f, true};
    case RequirementField::TomgVarvMinB:
    case RequirementField::TomgVarvMaxB:
        return {30000.0f, false};
    case RequirementField::TillgLuftTryckB:
        break;
    }
    return {kReferencePressureBar, false};
}

} // namespace

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
    if (field == RequirementField::TillgLuftTryckB) {
        const float lower = imperial ? 44.0f : 3.0f;
        const float upper = imperial ? kReferencePressurePsi : kReferencePressureBar;
        const double value = ValidateNumericField(b, 0.0f, lower, upper);
        // 91 psi is the reference pressure itself: stored exactly, so the factors are exactly 1.
        values.sngTillgLuftTryck = imperial && value == static_cast<double>(kReferencePressurePsi)
                                       ? kReferencePressureBar
                                       : static_cast<float>(value) * units.sngUnitPressure;
        return;
    }
    const FieldLimits limits = LimitsOf(field);
    const double value = ValidateNumericField(b, 0.0f, 0.0f, limits.upper);
    valueOf(field) =
        limits.torqueUnit ? static_cast<float>(value) * units.sngUnitTorque : static_cast<float>(value);
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
