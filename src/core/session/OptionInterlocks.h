#pragma once

#include "core/selection/OptionStates.h"

namespace airmotor::core {

// The option groups of the selection window (radio-button arrays).
enum class OptionGroup {
    Rotation,
    Steel,
    Brake,
    Lubricated,
    SteelTKS,
    LubricatedTKS,
    TKSRestricted,
    Catalogue,
    ObsoleteMotors,
};

// What the rest of the selection window does for an option click.
class OptionEvents {
public:
    virtual ~OptionEvents() = default;
    // Before an option's own rules run: results still shown are cleared.
    virtual void OptionClickStarted() = 0;
    // The catalogue listing (AllMotorsB) with the new options.
    virtual void ListAllMotors() = 0;
    virtual void ClearGrid() = 0;
    // The search view was chosen: the duty fields are opened for input.
    virtual void SearchViewChosen() = 0;
};

// The option states and their interlocks: which option forces, enables or disables which, and
// which listing a click triggers. The rules are one table in OptionInterlocks.cpp.
class OptionInterlocks final {
public:
    explicit OptionInterlocks(OptionEvents& events) : events_(events) {}

    OptionStates& states() { return states_; }
    const OptionStates& states() const { return states_; }

    // The start state of the window.
    void Reset();
    // A click on option `index` of the group (also when the option is disabled); an index outside
    // the group is ignored.
    void Click(OptionGroup group, int index);
    // A click only when the option is not selected yet (as a rule forcing an option does).
    void Select(OptionGroup group, int index);
    void ClickMotorType(int index, bool ticked);
    void ToggleOnlyObsoleteMotors();
    void ClickDefaultOptions();

private:
    void SetMotorTypeTick(int index, bool ticked);
    void UpdateSeriesFlags();

    OptionEvents& events_;
    OptionStates states_;
};

} // namespace airmotor::core
