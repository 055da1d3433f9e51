#pragma once

#include "core/common/Keys.h"
#include "core/format/NumericTextBox.h"
#include "core/language/Language.h"

#include <array>
#include <string_view>

namespace airmotor::core {

// The eight requirement fields of the main window, in the order the CLI enters them.
enum class RequirementField {
    ArbetsMomentB,
    ArbetsVarvtalB,
    MinStartmomentB,
    StallmomentMinB,
    StallmomentMaxB,
    TomgVarvMinB,
    TomgVarvMaxB,
    TillgLuftTryckB,
};
inline constexpr int kRequirementFieldCount = 8;
// The seven duty fields (all but the pressure).
inline constexpr int kDutyFieldCount = 7;

inline constexpr std::array<RequirementField, kRequirementFieldCount> kAllRequirementFields = {
    RequirementField::ArbetsMomentB,   RequirementField::ArbetsVarvtalB,  RequirementField::MinStartmomentB,
    RequirementField::StallmomentMinB, RequirementField::StallmomentMaxB, RequirementField::TomgVarvMinB,
    RequirementField::TomgVarvMaxB,    RequirementField::TillgLuftTryckB};

std::string_view FieldName(RequirementField field); // the control name, e.g. "ArbetsMomentB"
inline int FieldIndex(RequirementField field) {
    return static_cast<int>(field);
}

// Requirement globals in SI units (0 = not given); the pressure in bar.
struct RequirementValues {
    float sngArbetsMoment = 0.0f;
    float sngArbetsVarvtal = 0.0f;
    float sngMinStartmoment = 0.0f;
    float sngStallmomentMin = 0.0f;
    float sngStallmomentMax = 0.0f;
    float sngTomgVarvMin = 0.0f;
    float sngTomgVarvMax = 0.0f;
    float sngTillgLuftTryck = kReferencePressureBar;
};

// The power label beside the working point.
struct PowerLabel {
    std::string text;
    int colour = 10;
};

// Fields, the values they hold and the power label; the rules that need the rest of the window
// (clearing results, pressure factors, option states) live in SelectionSession.
class RequirementInput final {
public:
    NumericTextBox& box(RequirementField field) {
        return fields_[static_cast<std::size_t>(FieldIndex(field))];
    }
    const NumericTextBox& box(RequirementField field) const {
        return fields_[static_cast<std::size_t>(FieldIndex(field))];
    }
    RequirementValues values;
    PowerLabel EffektA;

    // Validates the field's text with its limits and stores its global (unit factor applied;
    // imperial 91 psi is stored as exactly float(6.3) bar).
    void ValidateAndStore(RequirementField field, const UnitFactors& units, bool imperial);
    float& valueOf(RequirementField field);
    float valueOf(RequirementField field) const;
    // EffektA from the working point.
    void UpdatePowerLabel(const UnitFactors& units);

private:
    std::array<NumericTextBox, kRequirementFieldCount> fields_{};
};

} // namespace airmotor::core
