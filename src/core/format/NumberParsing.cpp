#include "core/format/NumberParsing.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <type_traits>

namespace airmotor::core {
namespace {

template <class T> std::optional<T> ParseNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    if constexpr (std::is_floating_point_v<T>)
        if (!std::isfinite(value))
            return std::nullopt;
    return value;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool StartsWithWord(std::string_view text, std::string_view word) {
    if (text.size() < word.size())
        return false;
    for (std::size_t k = 0; k < word.size(); ++k)
        if ((text[k] | 0x20) != word[k])
            return false;
    return true;
}

// A number too large or too small for a double: whether its leading digit stands at or above
// the units place decides between overflow and underflow. `mantissa` holds digits and at most
// one point, `exponent` the digits after 'e' with their sign.
bool Overflows(std::string_view mantissa, std::string_view exponent) {
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos)
        return false;
    // Decimal position of the leading digit: 0 for units, negative after the point.
    long long position =
        first < point ? static_cast<long long>(point - first) - 1 : -static_cast<long long>(first - point);
    bool negative = false;
    if (!exponent.empty() && (exponent.front() == '-' || exponent.front() == '+')) {
        negative = exponent.front() == '-';
        exponent.remove_prefix(1);
    }
    long long e = 0;
    for (char c : exponent) {
        e = std::min(e * 10 + (c - '0'), 1'000'000'000LL); // saturates: only the sign of the sum counts
    }
    position += negative ? -e : e;
    return position >= 0;
}

// The number that `text` writes is out of T's range: a number of the form of a real (as
// from_chars reads it), only too large or too small in magnitude.
template <class T> bool OutOfRange(std::string_view text) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc::result_out_of_range && end == text.data() + text.size();
}

// Whether a number out of range is too close to zero rather than too large: decided on the
// double's value where it has one, else on the written exponent (or the leading "0.").
bool TooSmall(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc() && end == text.data() + text.size())
        return std::fabs(value) < 1.0;
    const std::size_t e = text.find_first_of("eE");
    if (e != std::string_view::npos)
        return e + 1 < text.size() && text[e + 1] == '-';
    return text.substr(0, 2) == "0." || text.front() == '.';
}

template <class T>
std::string WhyNot(std::string_view text, const char* type, const char* smallest, const char* largest) {
    if (!OutOfRange<T>(text))
        return "is not a number";
    if (TooSmall(text))
        return std::string("is too close to zero for a ") + type + " (the smallest is " + smallest +
               "; write 0 for zero)";
    return std::string("is too large for a ") + type + " (the largest is " + largest + ")";
}

} // namespace

double LeadingDouble(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r')))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        negative = text[pos++] == '-';
    const std::string_view rest = text.substr(pos);
    const double sign = negative ? -1.0 : 1.0;
    if (StartsWithWord(rest, "inf"))
        return sign * std::numeric_limits<double>::infinity();
    if (StartsWithWord(rest, "nan"))
        return std::copysign(std::numeric_limits<double>::quiet_NaN(), sign);

    std::size_t end = 0;
    bool digits = false;
    while (end < rest.size() && IsDigit(rest[end])) {
        ++end;
        digits = true;
    }
    if (end < rest.size() && rest[end] == '.') {
        ++end;
        while (end < rest.size() && IsDigit(rest[end])) {
            ++end;
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    const std::size_t mantissaEnd = end;
    if (end < rest.size() && (rest[end] == 'e' || rest[end] == 'E')) {
        std::size_t q = end + 1;
        if (q < rest.size() && (rest[q] == '-' || rest[q] == '+'))
            ++q;
        if (q < rest.size() && IsDigit(rest[q])) {
            while (q < rest.size() && IsDigit(rest[q]))
                ++q;
            end = q;
        }
    }
    double value = 0.0;
    const auto [stop, ec] = std::from_chars(rest.data(), rest.data() + end, value);
    if (ec == std::errc::result_out_of_range) {
        const std::string_view exponent =
            end > mantissaEnd ? rest.substr(mantissaEnd + 1, end - mantissaEnd - 1) : std::string_view();
        value =
            Overflows(rest.substr(0, mantissaEnd), exponent) ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc()) {
        return 0.0;
    }
    (void)stop;
    return sign * value;
}

std::string WhyNotSingle(std::string_view text) {
    return WhyNot<float>(text, "single-precision number", "1.4e-45", "3.4e38");
}
std::string WhyNotDouble(std::string_view text) {
    return WhyNot<double>(text, "double-precision number", "4.9e-324", "1.8e308");
}

std::optional<float> ParseSingle(std::string_view text) {
    return ParseNumber<float>(text);
}
std::optional<double> ParseDouble(std::string_view text) {
    return ParseNumber<double>(text);
}
std::optional<int> ParseInt(std::string_view text) {
    return ParseNumber<int>(text);
}
std::optional<std::int64_t> ParseInt64(std::string_view text) {
    return ParseNumber<std::int64_t>(text);
}

bool LooksLikeWholeNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::optional<int> HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return std::nullopt;
}

} // namespace airmotor::core
