#include "core/format/NumberParsing.h"

#include <charconv>
#include <cmath>
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

} // namespace airmotor::core
