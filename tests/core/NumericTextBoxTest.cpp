#include "core/format/NumericTextBox.h"

#include <gtest/gtest.h>

namespace airmotor::core {
namespace {
namespace numeric_text_box_test {

TEST(NumericKeyFilter, PassesEditingKeysDigitsAndTurnsCommaIntoPoint) {
    for (int code : std::initializer_list<int>{8, 13, 42, 45, 46, '0', '5', '9'}) {
        auto key = static_cast<std::int16_t>(code);
        EXPECT_TRUE(NumericKeyFilter(key)) << code;
        EXPECT_EQ(key, code);
    }
    std::int16_t comma = 44;
    EXPECT_TRUE(NumericKeyFilter(comma));
    EXPECT_EQ(comma, 46);
    for (int code : std::initializer_list<int>{0, 32, 43, 47, 58, 'a', 'E', 'e', '/', 127, 200, -61}) {
        auto key = static_cast<std::int16_t>(code);
        EXPECT_FALSE(NumericKeyFilter(key)) << code;
        EXPECT_EQ(key, 0) << code;
    }
}

TEST(LeadingNumber, ReadsTheNumericStartOfTheText) {
    struct Row {
        const char* text;
        double value;
    } rows[] = {
        {"", 0},     {"-", 0},       {".", 0},   {"abc", 0},     {"12", 12},  {"1.5", 1.5}, {" 0", 0},
        {"1 2", 12}, {"1.2.3", 1.2}, {"1-2", 1}, {"-3.5", -3.5}, {".5", 0.5}, {"5.", 5},    {"--5", 0},
        {"+5", 5},   {"2e3", 2000},  {"2e", 2},  {"6.3", 6.3},   {"91", 91},
    };
    for (const Row& r : rows)
        EXPECT_DOUBLE_EQ(LeadingNumber(r.text), r.value) << r.text;
}

TEST(ValidateNumericField, ColourFromLimitsWithMargin) {
    struct Row {
        const char* text;
        float lower, upper;
        int colour;
    } rows[] = {
        {"10000", 0, 10000, kColourValid},
        {"10000.00000001", 0, 10000, kColourAboveRange}, // 1e-8 is far outside the 5e-11 margin
        {"10000.00000000001", 0, 10000, kColourValid},   // 1e-11 is inside it
        {"0", 0, 10000, kColourValid},
        {"", 0, 10000, kColourValid},
        {"-0.0001", 0, 10000, kColourBelowRange},
        {"2.9", 3, 6.3f, kColourBelowRange},
        {"3", 3, 6.3f, kColourValid},
        {"6.3", 3, 6.3f, kColourValid}, // 6.3 is below float(6.3) + margin
        {"6.30001", 3, 6.3f, kColourAboveRange},
    };
    for (const Row& r : rows) {
        NumericTextBox box{r.text, 0, true};
        ValidateNumericField(box, 0, r.lower, r.upper);
        EXPECT_EQ(box.colour, r.colour) << r.text;
    }
}

TEST(SetFieldEnabled, EnablingTouchesOnlyADisabledField) {
    NumericTextBox box{"5", kColourAboveRange, true};
    SetFieldEnabled(box, true, kColourValid);
    EXPECT_EQ(box.colour, kColourAboveRange) << "an enabled field keeps its validation colour";
    SetFieldEnabled(box, false, kColourDisabled);
    EXPECT_EQ(std::pair(box.enabled, box.colour), std::pair(false, kColourDisabled));
    SetFieldEnabled(box, true, kColourValid);
    EXPECT_EQ(std::pair(box.enabled, box.colour), std::pair(true, kColourValid));
}

} // namespace numeric_text_box_test
} // namespace
} // namespace airmotor::core
