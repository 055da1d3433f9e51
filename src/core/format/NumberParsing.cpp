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

} // namespace

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
