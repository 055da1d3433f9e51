#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace airmotor::core {

// A range of sheet rows or catalogue indices, both ends included.
struct IndexRange {
    int first = 0;
    int last = 0;
};

// The motor list's first and last sheet row as typed (blanks around them already removed): whole
// numbers, first >= 1 and first <= last. Nothing otherwise: a reversed or empty range would
// silently do nothing.
std::optional<IndexRange> MotorListRows(std::string_view firstText, std::string_view lastText);

// The catalogue indices the editor's printer diagram prints, from the two index boxes: within
// 1..motors and in order, each box's value cut to a whole number. Nothing otherwise.
std::optional<IndexRange> CatalogueIndexRange(float typedFirst, float typedLast, int motors);
// Why CatalogueIndexRange refused the boxes, in the editor's words.
std::string CatalogueIndexRangeRefusal(float typedFirst, float typedLast, int motors);

} // namespace airmotor::core
