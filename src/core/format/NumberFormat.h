#pragma once

#include <string>
#include <string_view>

namespace airmotor::core {

// VB-style format masks ("####0.0", "#0.00", "#####", "0.00000", "#" ...): '#' optional digit,
// '0' required digit, half away from zero on the exact binary value, '.' always the separator,
// '#' decimals drop trailing zeros, an integer part 0 under only '#' prints nothing.
std::string FormatNumber(double value, std::string_view mask);

// The classic number-to-text conversion: a leading blank for non-negative numbers,
// shortest text of the value at single (7 significant digits) or double (15) precision.
std::string StrSingle(float value);
std::string StrDouble(double value);

// Fixed notation with `decimals` decimals (0..17), rounded from the exact binary value with ties to
// even as a C "%.*f" rounds, '.' always the separator whatever the locale; "nan"/"inf" as the C
// library spells them.
std::string FixedText(double value, int decimals);

// The shortest text that reads back as the same double ('.' whatever the locale): how a number
// read from a file is named in a message or written back as a cell.
std::string ShortestText(double value);

} // namespace airmotor::core
