#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace airmotor::core {

// The whole text as a number, '.' as the decimal separator whatever the locale; an explicit '+'
// is allowed, blanks, a non-finite real and a value out of the type's range are not.
std::optional<float> ParseSingle(std::string_view text);
std::optional<double> ParseDouble(std::string_view text);
std::optional<int> ParseInt(std::string_view text);
std::optional<std::int64_t> ParseInt64(std::string_view text);

// Why ParseSingle / ParseDouble refused a text, to follow it in a message: "is not a number", or
// that it is a number too large or too close to zero for the type.
std::string WhyNotSingle(std::string_view text);
std::string WhyNotDouble(std::string_view text);

// True when the text has the form of a whole number (optional sign, digits), whatever its size:
// tells "too large" apart from "not a number" in messages.
bool LooksLikeWholeNumber(std::string_view text);

// The number at the start of the text, read as the classic C conversion reads it (leading blanks,
// optional sign, digits with an optional '.', an optional exponent, "inf" and "nan"), 0 when
// there is none, but with '.' whatever the process locale. Beyond the range of a double it
// saturates to an infinity or underflows to zero, as the classic conversion does.
double LeadingDouble(std::string_view text);

// The value of one hexadecimal digit (either case), or nothing for any other character.
std::optional<int> HexDigitValue(char c);

} // namespace airmotor::core
