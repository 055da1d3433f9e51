#pragma once

#include <cstdint>
#include <string>

namespace airmotor::core {

// Background colours of a numeric text box (classic 16-colour palette indexes).
inline constexpr int kColourDisabled = 0;    // black: locked by the interplay rules
inline constexpr int kColourAboveRange = 12; // light red
inline constexpr int kColourValid = 14;      // yellow
inline constexpr int kColourBelowRange = 15; // white

// The model behind one numeric text box of any window: the widgets mirror it.
struct NumericTextBox {
    std::string text;
    int colour = kColourValid;
    bool enabled = true;
};

// Key code of one key press, changed in place: 0 means swallowed (the caller beeps).
// Returns true when the key passes (possibly changed, "," becomes ".").
bool NumericKeyFilter(std::int16_t& key);

// The leading numeric part of a text, the point as decimal separator; blanks are ignored,
// an empty or non-numeric text gives 0.
double LeadingNumber(const std::string& text);

// A text holding "*" is replaced by the default; sets the colour from the limits (+/- 5e-11)
// and returns the number held by the text (compared and returned in double precision).
double ValidateNumericField(NumericTextBox& field, float defaultValue, float lower, float upper);

// Selection range [start, start + length) that focusing the box selects: the whole text.
struct TextSelection {
    int start = 0;
    int length = 0;
};
TextSelection SelectAllOnFocus(const NumericTextBox& field);

// enable = true changes only a disabled box; enable = false always disables and recolours.
void SetFieldEnabled(NumericTextBox& field, bool enable, int colour);

} // namespace airmotor::core
