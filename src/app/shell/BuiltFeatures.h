#pragma once

namespace airmotor::app {

// The work this build already has behind its menu items and buttons. An item whose work is not built
// is shown disabled, never silent: switch its flag on here when the work arrives.
struct BuiltFeatures {
    bool printing = true;    // mnuPrint (Ctrl+P), PrinterutskriftB, TabellB
    bool calculators = true; // Command2(0..1), mnuOwnMotorData
};

inline constexpr BuiltFeatures kBuiltFeatures{};

} // namespace airmotor::app
