#include "core/format/NumberFormat.h"
#include "core/format/NumberParsing.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

using namespace airmotor::core;

namespace {
namespace number_format_test {

TEST(FormatNumber, RoundingPlacesAndSigns) {
    const struct {
        double value;
        const char* mask;
        const char* expected;
    } cases[] = {
        // Half away from zero on the exact binary value: true ties round up in magnitude, values
        // whose binary form lies just below a printed tie round down.
        {0.125, "#0.00", "0.13"}, // exact tie (half-to-even would give 0.12)
        {2.5, "0", "3"},
        {-2.5, "0", "-3"},                               // away from zero, not upwards
        {1.005, "#0.00", "1.00"},                        // 1.00499999999999989...
        {static_cast<double>(2.345f), "##0.00", "2.35"}, // 2.34500002861...
        {0.35, "####0.0", "0.3"},                        // 0.34999999999999997...
        {0.0005, "#######.###", ".001"},                 // 0.000500000000000000010...
        {1.2346, "##0.0##", "1.235"},
        // Carries into the integer part.
        {9.9951, "#0.00", "10.00"},
        {9.995, "#0.00", "9.99"}, // 9.99499999999999921...
        {0.996, "#.##", "1"},
        {-0.96, "###.0", "-1.0"},
        // More decimals than the fast path takes: 2^-17 = 0.00000762939453125 is an exact tie.
        {0x1p-17, "0.0000000000000000", "0.0000076293945313"},
        // Values whose scaled digits need no shift at all: nothing below the last place to round.
        {4503599627370497.0, "0", "4503599627370497"},
        {562949953421312.125, "0.000", "562949953421312.125"},
        // '#' decimals show only significant digits (and no point when none remain); '0' decimals always.
        {12.0, "#######.##", "12"},
        {12.501, "#######.##", "12.5"},
        {2.0, "##0.0##", "2.0"},
        {0.0, "0.00000", "0.00000"},
        // An integer part 0 under only '#' is printed as nothing.
        {0.4, "#####", ""},
        {0.5, "#####", "1"},
        {0.25, "###.0", ".3"},
        {0.0, "#", ""},
        {0.001, "#######.##", ""},
        {0.0, "#0", "0"},
        // Wider than the mask: every digit is kept.
        {123456.7, "#", "123457"},
        {1e20, "0", "100000000000000000000"},
        {std::numeric_limits<double>::denorm_min(), "0.00", "0.00"},
        {-0.25, "###.0", "-.3"},
        // Rounded to zero: no sign, a "-0" would read as a real quantity.
        {-0.4, "###0", "0"},
        {-0.004, "#0.00", "0.00"},
        {-0.4, "#####", ""},
        {std::numeric_limits<double>::infinity(), "#0.00", "Inf"},
        {-std::numeric_limits<double>::infinity(), "#0.00", "-Inf"},
        {std::numeric_limits<double>::quiet_NaN(), "#0.00", "NaN"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatNumber(c.value, c.mask), c.expected) << c.value << " with \"" << c.mask << '"';
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::max(), "#").size(), 309u);
}

TEST(StrSingle, ClassicLayout) {
    const struct {
        float value;
        const char* expected;
    } cases[] = {
        {0.0f, " 0"},
        {-0.0f, " 0"},
        {0.5f, " .5"},
        {-0.5f, "-.5"},
        {6.3f, " 6.3"}, // shortest at 7 digits, not 6.30000019
        {9999999.0f, " 9999999"},
        {12345678.0f, " 1.234568E+07"},
        {1e8f, " 1E+08"},
        {0.0001f, " .0001"},
        {0.00001f, " 1E-05"},
        {-2.5e-20f, "-2.5E-20"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StrSingle(c.value), c.expected) << c.value;
    }
}

TEST(StrDouble, FifteenDigits) {
    EXPECT_EQ(StrDouble(1.0 / 3.0), " .333333333333333");
    EXPECT_EQ(StrDouble(static_cast<double>(6.3f)), " 6.30000019073486");
    EXPECT_EQ(StrDouble(123456789012345.0), " 123456789012345");
    EXPECT_EQ(StrDouble(1e15), " 1E+15");
    EXPECT_EQ(StrDouble(1e100), " 1E+100");
}

// The CLI's fixed-width tables print as C's "%.*f" did: exact binary value, ties to even.
TEST(FixedText, AgreesWithTheClassicFixedConversion) {
    // Ties both ways and below zero, an inexact decimal, an exact large value, a negative that rounds to
    // zero, the smallest denormal and the largest double (the longest text the buffer must hold).
    const double values[] = {0.0, -0.0, 0.125,   0.375,    -2.5,
                             6.3, 1e22, -1e-300, 4.9e-324, 1.7976931348623157e308};
    for (double v : values)
        for (int decimals : {0, 1, 2, 3, 17}) {
            char expected[400];
            std::snprintf(expected, sizeof expected, "%.*f", decimals, v);
            EXPECT_EQ(FixedText(v, decimals), expected) << v << " with " << decimals;
        }
    EXPECT_EQ(FixedText(1.5, -1), "2");
    EXPECT_EQ(FixedText(1.0, 40), "1.00000000000000000");
}

// A refused number says which way it is out of range, so that 1e-50 is not called "not a number".
TEST(NumberParsing, RefusalsSayWhyTheTextIsNoNumberOfTheType) {
    const std::string tiny = "0." + std::string(60, '0') + "1";
    const struct {
        std::string text;
        bool single;
        const char* starts;
    } cases[] = {
        {"abc", true, "is not a number"},
        {"nan", true, "is not a number"},
        {"inf", false, "is not a number"},
        {"1e-50x", true, "is not a number"},
        {"1e-50", true, "is too close to zero for a single-precision"},
        {"-1e-50", true, "is too close to zero"},
        {"+1e-46", true, "is too close to zero"},
        {tiny, true, "is too close to zero"},
        {"3.5e38", true, "is too large for a single-precision"},
        {"-1e39", true, "is too large"},
        {"1e-400", false, "is too close to zero for a double-precision"},
        {"1e400", false, "is too large for a double-precision"},
        {"1e-99999", false, "is too close to zero"},
        {"1e99999", false, "is too large"},
    };
    for (const auto& c : cases) {
        ASSERT_FALSE(c.single ? ParseSingle(c.text).has_value() : ParseDouble(c.text).has_value()) << c.text;
        const std::string why = c.single ? WhyNotSingle(c.text) : WhyNotDouble(c.text);
        EXPECT_EQ(why.rfind(c.starts, 0), 0u) << c.text << ": " << why;
    }
    EXPECT_EQ(ParseSingle("1e-45"), 1e-45f); // the smallest single is still one
}

} // namespace number_format_test
} // namespace
