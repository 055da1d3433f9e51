#include "core/maintenance/EditorRanges.h"

#include "core/maintenance/EditorFields.h"

#include <charconv>
#include <cmath>

namespace airmotor::core {
namespace {

// A whole decimal number with an optional sign, nothing else; out of int range is none.
std::optional<int> WholeNumber(std::string_view text) {
    if (text.starts_with('+'))
        text.remove_prefix(1);
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<IndexRange> MotorListRows(std::string_view firstText, std::string_view lastText) {
    const std::optional<int> first = WholeNumber(firstText);
    const std::optional<int> last = WholeNumber(lastText);
    if (!first || !last || *first < 1 || *last < *first)
        return std::nullopt;
    return IndexRange{*first, *last};
}

std::optional<IndexRange> CatalogueIndexRange(float typedFirst, float typedLast, int motors) {
    // A box may hold a number no int can: such a range is refused before any conversion.
    constexpr float kBeyondAnyIndex = 1e9f;
    const bool whole = std::fabs(typedFirst) < kBeyondAnyIndex && std::fabs(typedLast) < kBeyondAnyIndex;
    const int first = whole ? static_cast<int>(typedFirst) : 0;
    const int last = whole ? static_cast<int>(typedLast) : 0;
    if (first < 1 || last < first || last > motors)
        return std::nullopt;
    return IndexRange{first, last};
}

std::string CatalogueIndexRangeRefusal(float typedFirst, float typedLast, int motors) {
    return "Katalogindex från " + BoxText(typedFirst) + " till " + BoxText(typedLast) +
           " finns inte: katalogen har index 1 till " + std::to_string(motors) + ".";
}

} // namespace airmotor::core
