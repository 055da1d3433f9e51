#include "core/session/RequirementEditor.h"

#include "core/common/Keys.h"
#include "core/selection/MotorSearch.h"

#include <cstdint>
#include <initializer_list>

namespace airmotor::core {

namespace {

using F = RequirementField;

constexpr std::int16_t kBackspaceKey = 8;
constexpr std::int16_t kEnterKey = 13;
constexpr float kMinimumPressureBar = 3.0f;
constexpr float kMinimumPressurePsi = 44.0f;

// The min/max partner of a bound field; the field itself for the others.
F PartnerOf(F field) {
    switch (field) {
    case F::TomgVarvMaxB:
        return F::TomgVarvMinB;
    case F::TomgVarvMinB:
        return F::TomgVarvMaxB;
    case F::StallmomentMaxB:
        return F::StallmomentMinB;
    case F::StallmomentMinB:
        return F::StallmomentMaxB;
    default:
        return field;
    }
}

} // namespace

RequirementEditor::RequirementEditor(const LanguageState& language, RequirementEvents& events)
    : language_(language), events_(events) {
    input_.box(F::TillgLuftTryckB).text = kReferencePressureText;
}

std::string RequirementEditor::ReferencePressureText() const {
    return language_.intImperialUnits == 1 ? kReferencePressurePsiText : kReferencePressureText;
}

void RequirementEditor::Change(F field, const std::string& text, bool runPartnerRule) {
    NumericTextBox& b = input_.box(field);
    if (b.text == text)
        return; // an unchanged text fires no change
    b.text = text;
    input_.ValidateAndStore(field, language_.units, language_.intImperialUnits == 1);
    events_.RequirementChanged(field);
    if (field == F::TillgLuftTryckB)
        return;
    if (field == F::ArbetsMomentB || field == F::ArbetsVarvtalB)
        input_.UpdatePowerLabel(language_.units);
    if (runPartnerRule && PartnerOf(field) != field)
        ApplyPartnerRule(field);
}

void RequirementEditor::ApplyPartnerRule(F field) {
    const F partner = PartnerOf(field);
    // The partner's own rule must not run: it would empty the field being typed.
    Change(partner, "", false);
    if (input_.valueOf(field) <= 0)
        SetFieldEnabled(input_.box(partner), true, kColourValid);
    else
        SetFieldEnabled(input_.box(partner), false, kColourDisabled);
    if ((field == F::TomgVarvMinB || field == F::TomgVarvMaxB) && input_.values.sngTomgVarvMin == 0 &&
        input_.values.sngTomgVarvMax == 0)
        events_.FreeSpeedLimitsCleared();
}

bool RequirementEditor::Type(F field, std::string_view typed) {
    std::string text;
    bool enter = false;
    for (char c : typed) {
        auto key = static_cast<std::int16_t>(static_cast<unsigned char>(c));
        if (!NumericKeyFilter(key)) {
            events_.KeyRejected();
            continue;
        }
        if (key == kBackspaceKey) {
            if (!text.empty())
                text.pop_back();
        } else if (key == kEnterKey) {
            enter = true;
        } else {
            text.push_back(static_cast<char>(key));
        }
    }
    Change(field, text, true);
    return enter;
}

void RequirementEditor::SetText(F field, const std::string& text) {
    Change(field, text, true);
}

void RequirementEditor::RereadPressure() {
    input_.ValidateAndStore(F::TillgLuftTryckB, language_.units, language_.intImperialUnits == 1);
}

void RequirementEditor::Enable(F field) {
    SetFieldEnabled(input_.box(field), true, kColourValid);
}

bool RequirementEditor::ComputeWorkingPoint() {
    workingPoint_ = WorkingPointGiven(input_.values, input_.box(F::ArbetsMomentB).text,
                                      input_.box(F::ArbetsVarvtalB).text);
    return workingPoint_;
}

void RequirementEditor::RunInterplayRules() {
    ComputeWorkingPoint();
    const RequirementValues& v = input_.values;
    const bool wp = workingPoint_;
    const bool start = v.sngMinStartmoment > 0;
    const bool freeSpeed = v.sngTomgVarvMin > 0 || v.sngTomgVarvMax > 0;
    const bool stall = v.sngStallmomentMin > 0 || v.sngStallmomentMax > 0;
    auto disable = [this](std::initializer_list<F> fields) {
        for (F f : fields)
            SetFieldEnabled(input_.box(f), false, kColourDisabled);
    };
    if (start && wp) {
        disable({F::TomgVarvMaxB, F::TomgVarvMinB, F::StallmomentMinB, F::StallmomentMaxB});
    } else if (freeSpeed && wp) {
        disable({F::MinStartmomentB, F::StallmomentMinB, F::StallmomentMaxB});
    } else if (stall && wp) {
        disable({F::MinStartmomentB, F::TomgVarvMaxB, F::TomgVarvMinB});
    } else if (start && freeSpeed) {
        disable({F::ArbetsMomentB, F::ArbetsVarvtalB, F::StallmomentMinB, F::StallmomentMaxB});
    } else if (start && stall) {
        disable({F::ArbetsMomentB, F::ArbetsVarvtalB, F::TomgVarvMaxB, F::TomgVarvMinB});
    } else if (stall && freeSpeed) {
        disable({F::ArbetsMomentB, F::ArbetsVarvtalB, F::MinStartmomentB});
    } else {
        for (F f : {F::ArbetsMomentB, F::ArbetsVarvtalB, F::MinStartmomentB})
            Enable(f);
        // A bound field stays locked while its partner holds a value.
        if (v.sngTomgVarvMin == 0)
            Enable(F::TomgVarvMaxB);
        if (v.sngTomgVarvMax == 0)
            Enable(F::TomgVarvMinB);
        if (v.sngStallmomentMax == 0)
            Enable(F::StallmomentMinB);
        if (v.sngStallmomentMin == 0)
            Enable(F::StallmomentMaxB);
    }
}

void RequirementEditor::ApplyPressureLeaveRule() {
    const float p = input_.values.sngTillgLuftTryck;
    if (language_.intImperialUnits == 1) {
        if (p / language_.units.sngUnitPressure < kMinimumPressurePsi)
            SetText(F::TillgLuftTryckB, "44");
    } else if (static_cast<double>(p) < static_cast<double>(kMinimumPressureBar)) {
        SetText(F::TillgLuftTryckB, "3");
    }
}

void RequirementEditor::Reset() {
    workingPoint_ = false;
    for (int k = 0; k < kDutyFieldCount; ++k)
        SetText(static_cast<F>(k), "");
    SetText(F::TillgLuftTryckB, ReferencePressureText());
    for (F f : kAllRequirementFields) {
        input_.box(f).enabled = true;
        input_.box(f).colour = kColourValid;
    }
    input_.EffektA.text.clear();
}

void RequirementEditor::ClearAndLockDutyFields() {
    for (int k = 0; k < kDutyFieldCount; ++k)
        SetText(static_cast<F>(k), "");
    for (int k = 0; k < kDutyFieldCount; ++k)
        SetFieldEnabled(input_.box(static_cast<F>(k)), false, kColourDisabled);
}

void RequirementEditor::UnlockDutyFields() {
    for (int k = 0; k < kDutyFieldCount; ++k)
        Enable(static_cast<F>(k));
}

} // namespace airmotor::core
