#pragma once

#include "core/format/NumericTextBox.h"
#include "core/language/Language.h"
#include "core/selection/RequirementInput.h"

#include <string>
#include <string_view>

namespace airmotor::core {

// What the rest of the selection window does when a requirement field changes.
class RequirementEvents {
public:
    virtual ~RequirementEvents() = default;
    // The field's text changed; its value has been validated and stored.
    virtual void RequirementChanged(RequirementField field) = 0;
    // A free-speed field's partner rule left both free-speed limits at 0.
    virtual void FreeSpeedLimitsCleared() = 0;
    // A typed key was swallowed by the numeric key filter.
    virtual void KeyRejected() = 0;
};

// The requirement fields of the selection window and their own rules: the key filter, validation,
// the min/max partner rule, the interplay rules that lock fields and the pressure leave rule.
class RequirementEditor final {
public:
    RequirementEditor(const LanguageState& language, RequirementEvents& events);

    RequirementInput& input() { return input_; }
    const RequirementInput& input() const { return input_; }

    // Replaces the text as typed (every character through the key filter), then the change rule
    // runs once. True when the typed text held an Enter key.
    bool Type(RequirementField field, std::string_view typed);
    // Sets the text directly; the change rule runs when the text differs.
    void SetText(RequirementField field, const std::string& text);
    void Enable(RequirementField field);
    void RunInterplayRules();
    // Raises a pressure below 3 bar (44 psi) to that limit.
    void ApplyPressureLeaveRule();
    // Empties the duty fields, puts the reference pressure back and unlocks every field.
    void Reset();
    // The catalogue listing works without duty values: they are emptied and locked.
    void ClearAndLockDutyFields();
    void UnlockDutyFields();
    // Validates the pressure field's text again and stores its value (no change fired).
    void RereadPressure();
    // The reference pressure in the units the field shows ("6.3" psi would be wrong).
    std::string ReferencePressureText() const;

    // bolArbetspunkt: torque and speed together form a working point.
    bool ComputeWorkingPoint();
    void ClearWorkingPoint() { workingPoint_ = false; }
    bool workingPoint() const { return workingPoint_; }

private:
    void Change(RequirementField field, const std::string& text, bool runPartnerRule);
    void ApplyPartnerRule(RequirementField field);

    const LanguageState& language_;
    RequirementEvents& events_;
    RequirementInput input_;
    bool workingPoint_ = false;
};

} // namespace airmotor::core
