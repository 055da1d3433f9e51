#include "core/selection/RequirementRange.h"
#include "SelectionTestCatalogue.h"
#include "core/results/SearchSummary.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>

using namespace airmotor::core;

namespace {
namespace requirement_range_test {

int ColourFor(RequirementField field, bool imperial, double typed) {
    // Six significant digits, as a user would type the bound.
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, typed, std::chars_format::general, 6);
    RequirementInput input;
    input.box(field).text.assign(text, written.ptr);
    input.ValidateAndStore(field, UnitFactors::ForImperial(imperial ? 1 : 0), imperial);
    return input.box(field).colour;
}

// The ranges the tooltips state are the ones the fields validate with: each bound is valid, a step
// beyond it is not.
TEST(RequirementRange, BoundsAreTheValidationLimits) {
    for (bool imperial : {false, true}) {
        for (RequirementField field : kAllRequirementFields) {
            const RequirementRange r = RangeOf(field, imperial);
            const double step = std::max(0.01, static_cast<double>(r.upper) * 1e-3);
            EXPECT_EQ(ColourFor(field, imperial, r.upper), kColourValid) << FieldName(field);
            EXPECT_EQ(ColourFor(field, imperial, static_cast<double>(r.upper) + step), kColourAboveRange)
                << FieldName(field);
            if (r.lower > 0.0f) {
                EXPECT_EQ(ColourFor(field, imperial, r.lower), kColourValid) << FieldName(field);
                EXPECT_EQ(ColourFor(field, imperial, static_cast<double>(r.lower) - step), kColourBelowRange)
                    << FieldName(field);
            }
        }
    }
}

TEST(SearchSummary, CaseOrListingWithMotorsAndPressureInDisplayUnits) {
    LanguageState si = airmotor::core::testing::KeyedLanguage();
    si.strText.set(kSearchSummaryKey, "Case %1: %2 motors");
    si.strText.set(56, "bar(e)");
    EXPECT_EQ(SearchSummary(si, 7, 12, 5.5f), "Case 7: 12 motors \u00B7 5.50 bar(e)");
    EXPECT_EQ(SearchSummary(si, std::nullopt, 176, 6.3f), "T78: 176 \u00B7 6.30 bar(e)");
    LanguageState imperial = airmotor::core::testing::KeyedLanguage(1);
    imperial.strText.set(kSearchSummaryKey, "%2 motors, case %1");
    imperial.strText.set(56, "psi");
    EXPECT_EQ(SearchSummary(imperial, 3, 0, 6.3f), "0 motors, case 3 \u00B7 91 psi");
    // A text without the markers keeps its words; a marker without an argument stays.
    EXPECT_EQ(FillPlaceholders("no markers", {"1"}), "no markers");
    EXPECT_EQ(FillPlaceholders("%1 and %2", {"a"}), "a and %2");
}

} // namespace requirement_range_test
} // namespace
