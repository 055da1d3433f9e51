#include "core/format/NumberFormat.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace airmotor::core {

namespace {

struct MaskLayout {
    int minIntegerDigits = 0; // '0' placeholders from the first '0' before the point
    int minDecimals = 0;      // up to and including the last '0' after the point
    int maxDecimals = 0;      // every placeholder after the point
};

MaskLayout ParseMask(std::string_view mask) {
    MaskLayout layout;
    const std::size_t point = mask.find('.');
    const std::string_view integerPart = mask.substr(0, point);
    const std::size_t firstZero = integerPart.find('0');
    if (firstZero != std::string_view::npos) {
        layout.minIntegerDigits = static_cast<int>(integerPart.size() - firstZero);
    }
    if (point != std::string_view::npos) {
        const std::string_view decimals = mask.substr(point + 1);
        layout.maxDecimals = static_cast<int>(decimals.size());
        const std::size_t lastZero = decimals.rfind('0');
        if (lastZero != std::string_view::npos) {
            layout.minDecimals = static_cast<int>(lastZero + 1);
        }
    }
    return layout;
}

// Number of decimal digits in the exact expansion of a finite double: a value M * 2^-f with odd M
// has exactly f digits after the point, since 2^-f = 5^f / 10^f.
int ExactFractionDigits(double magnitude) {
    if (magnitude == 0.0) {
        return 0;
    }
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent); // magnitude = fraction * 2^exponent
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int digits = 53 - exponent - std::countr_zero(mantissa);
    return std::max(digits, 0);
}

// Digits of |value| (no sign), integer part and fraction part rounded half away from zero to
// `decimals` digits on the exact binary value.
struct RoundedDigits {
    std::string integerDigits;  // without leading zeros; "" for 0
    std::string fractionDigits; // exactly `decimals` digits
};

// Fast exact path for the values a window shows: |value| < 2^53 and at most 15 decimals. With
// value = m * 2^-f, value * 10^d = m * 5^d * 2^(d - f) is an integer shifted by f - d bits, which
// fits 128 bits; the bits shifted out decide the rounding exactly.
bool RoundExactSmall(double magnitude, int decimals, RoundedDigits& result) {
    if (decimals > 15 || !(magnitude < 0x1p53)) {
        return false;
    }
    using Wide = unsigned __int128;
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);
    Wide scaled = static_cast<std::uint64_t>(std::ldexp(fraction, 53)); // magnitude * 2^(53 - exponent)
    for (int k = 0; k < decimals; ++k) {
        scaled *= 5u; // < 2^53 * 5^15 < 2^88
    }
    const int shift = 53 - exponent - decimals; // magnitude * 10^d = scaled * 2^-shift
    Wide units = 0;
    if (shift <= 0) {
        units = scaled << -shift; // -shift <= decimals: below 2^103
    } else if (shift < 100) {
        units = scaled >> shift;
        const Wide rest = scaled & ((Wide{1} << shift) - 1);
        if (rest >= (Wide{1} << (shift - 1))) {
            ++units; // half a unit or more, ties included
        }
    } // else: below 2^-11 units, rounds to zero

    std::uint64_t power = 1;
    for (int k = 0; k < decimals; ++k) {
        power *= 10u;
    }
    const auto integerPart = static_cast<std::uint64_t>(units / power);
    const auto fractionPart = static_cast<std::uint64_t>(units % power);
    result.integerDigits = integerPart == 0 ? std::string() : std::to_string(integerPart);
    result.fractionDigits.clear();
    if (decimals > 0) {
        const std::string fractionText = std::to_string(fractionPart); // < 10^decimals
        result.fractionDigits.assign(static_cast<std::size_t>(decimals) - fractionText.size(), '0');
        result.fractionDigits += fractionText;
    }
    return true;
}

RoundedDigits RoundExact(double magnitude, int decimals) {
    RoundedDigits fast;
    if (RoundExactSmall(magnitude, decimals, fast)) {
        return fast;
    }
    // Asked for at least as many digits as the exact expansion has, the conversion rounds nothing;
    // the rounding below then sees the true digits. to_chars writes '.' whatever the locale.
    const int precision = std::max(ExactFractionDigits(magnitude), decimals + 1);
    // A double has at most 309 integer digits.
    std::string text(static_cast<std::size_t>(precision) + 320, '\0');
    const auto written =
        std::to_chars(text.data(), text.data() + text.size(), magnitude, std::chars_format::fixed, precision);
    text.resize(static_cast<std::size_t>(written.ptr - text.data()));

    const std::size_t point = text.find('.');
    std::string digits = text.substr(0, point) + text.substr(point + 1, static_cast<std::size_t>(decimals));
    const char firstDropped = text[point + 1 + static_cast<std::size_t>(decimals)];
    // Exact digits: a first dropped digit of 5 or more means at least half a unit (a tie included).
    if (firstDropped >= '5') {
        std::size_t pos = digits.size();
        while (pos > 0) {
            --pos;
            if (digits[pos] == '9') {
                digits[pos] = '0';
            } else {
                ++digits[pos];
                break;
            }
        }
        if (pos == 0 && digits[0] == '0') {
            digits.insert(digits.begin(), '1');
        }
    }
    RoundedDigits result;
    const std::size_t integerLength = digits.size() - static_cast<std::size_t>(decimals);
    result.integerDigits = digits.substr(0, integerLength);
    result.fractionDigits = digits.substr(integerLength);
    const std::size_t firstNonZero = result.integerDigits.find_first_not_of('0');
    result.integerDigits.erase(0, std::min(firstNonZero, result.integerDigits.size()));
    return result;
}

std::string NonFiniteText(double value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    return value < 0 ? "-Inf" : "Inf";
}

// Shared by StrSingle/StrDouble: `digits` significant digits, shortest form, classic layout.
std::string ClassicText(double value, int digits) {
    if (!std::isfinite(value)) {
        return value < 0 ? NonFiniteText(value) : " " + NonFiniteText(value);
    }
    if (value == 0.0) {
        return " 0";
    }
    const std::string sign = value < 0 ? "-" : " ";
    const double magnitude = std::fabs(value);

    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, digits - 1);
    const std::string scientific(buffer, written.ptr);
    const std::size_t ePos = scientific.find('e');
    std::string mantissa = scientific.substr(0, ePos);
    const int exponent = std::stoi(scientific.substr(ePos + 1));
    mantissa.erase(std::remove(mantissa.begin(), mantissa.end(), '.'), mantissa.end());
    while (mantissa.size() > 1 && mantissa.back() == '0') {
        mantissa.pop_back();
    }

    // After rounding to `digits` places: below 1e-4, or more integer digits than `digits`, the
    // exponent form is used (0.00001 -> " 1E-05", 1e7 as single -> " 1E+07").
    const bool fixed = exponent >= -4 && exponent < digits;
    std::string body;
    if (fixed) {
        if (exponent < 0) {
            body = "." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
        } else if (static_cast<std::size_t>(exponent) + 1 >= mantissa.size()) {
            body = mantissa + std::string(static_cast<std::size_t>(exponent) + 1 - mantissa.size(), '0');
        } else {
            body = mantissa.substr(0, static_cast<std::size_t>(exponent) + 1) + "." +
                   mantissa.substr(static_cast<std::size_t>(exponent) + 1);
        }
    } else {
        body = mantissa.substr(0, 1);
        if (mantissa.size() > 1) {
            body += "." + mantissa.substr(1);
        }
        const std::string exponentDigits = std::to_string(std::abs(exponent));
        body += exponent < 0 ? "E-" : "E+";
        body += std::string(exponentDigits.size() < 2 ? 1 : 0, '0') + exponentDigits;
    }
    return sign + body;
}

} // namespace

std::string FormatNumber(double value, std::string_view mask) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    const MaskLayout layout = ParseMask(mask);
    RoundedDigits rounded = RoundExact(std::fabs(value), layout.maxDecimals);

    // Optional decimals ('#') show only significant digits.
    std::string& fraction = rounded.fractionDigits;
    while (static_cast<int>(fraction.size()) > layout.minDecimals && fraction.back() == '0') {
        fraction.pop_back();
    }
    std::string& integer = rounded.integerDigits;
    if (static_cast<int>(integer.size()) < layout.minIntegerDigits) {
        integer.insert(0, static_cast<std::size_t>(layout.minIntegerDigits) - integer.size(), '0');
    }

    std::string text = integer;
    if (!fraction.empty()) {
        text += "." + fraction;
    }
    // A value that rounds to zero is printed without a sign: "-0.00" would read as a real quantity.
    const bool roundedToZero = rounded.integerDigits.find_first_not_of('0') == std::string::npos &&
                               fraction.find_first_not_of('0') == std::string::npos;
    if (value < 0 && !roundedToZero) {
        text.insert(0, "-");
    }
    return text;
}

std::string StrSingle(float value) {
    return ClassicText(static_cast<double>(value), 7);
}

std::string StrDouble(double value) {
    return ClassicText(value, 15);
}

std::string FixedText(double value, int decimals) {
    // 309 integer digits of the largest double, the sign and the decimals.
    char buffer[336];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                       std::clamp(decimals, 0, 17));
    return std::string(buffer, written.ptr);
}

std::string ShortestText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace airmotor::core
