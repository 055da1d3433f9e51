#include "core/format/NumberFormat.h"
#include "core/format/NumberParsing.h"
#include "core/format/NumericTextBox.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace airmotor::core {
namespace {
namespace comma_locale_test {

// Texts a user types and the readers meet, with the edges of the classic conversion: blanks, signs,
// a bare point, exponents with and without digits, beyond the range of a double, non-finite words.
const std::vector<std::string> kTexts = {
    "5.5",
    "6.3",
    " \t12",
    "+.5e+2",
    "-3.25",
    "5.",
    ".5",
    "1e",
    "1e+",
    "2E-3",
    "1,5",
    "1.2.3",
    "abc",
    "",
    "-",
    "1e400",
    "-1e400",
    "1e-400",
    "-1e-400",
    "4.9e-324",
    "2.4e-324",
    "0.000e999",
    "1e-2147483649",
    "1e99999999999999999999",
    "0.01e310",
    "0.0000000001e400",
    "0." + std::string(500, '0') + "1e100 Nm", // too small by its digits, not its exponent; text after it
    "123456789012345678901234567890",
    "inf",
    "-Infinity",
    "nan",
};

// Values shown in every figure: rounding ties, many places, the exponent form of the classic layout.
const std::vector<double> kValues = {6.3, 0.7, 5.5, -2.675, 1234.5, 1e-5, 3.0e7, 0.125, 822886400.0, 1e300};
const std::vector<const char*> kMasks = {"0.00", "####0.0", "0.000", "#0", "0.##########"};

struct Conversions {
    std::vector<double> read;
    std::vector<std::string> shown;
};

Conversions ConvertAll() {
    Conversions c;
    for (const std::string& t : kTexts) {
        c.read.push_back(LeadingDouble(t));
        c.read.push_back(LeadingNumber(t));
    }
    for (double v : kValues) {
        for (const char* mask : kMasks)
            c.shown.push_back(FormatNumber(v, mask));
        c.shown.push_back(StrSingle(static_cast<float>(v)));
        c.shown.push_back(StrDouble(v));
        c.shown.push_back(FixedText(v, 3));
    }
    return c;
}

// The process locale is switched for one test and restored after it: the other tests in the same
// run must not see a comma locale.
class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::setlocale(LC_ALL, nullptr);
        SwitchToComma();
        const bool comma = std::string(std::localeconv()->decimal_point) == ",";
        std::setlocale(LC_ALL, previous_.c_str());
        if (!comma)
            GTEST_SKIP() << "no comma locale on this machine (scripts/install-deps makes de_DE.UTF-8)";
    }
    void TearDown() override { std::setlocale(LC_ALL, previous_.c_str()); }

    static void SwitchToComma() {
        for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE.utf8"})
            if (std::setlocale(LC_ALL, name) != nullptr)
                return;
    }

private:
    std::string previous_;
};

TEST_F(CommaLocale, ReadsAndShowsNumbersAsUnderTheClassicLocale) {
    const Conversions classic = ConvertAll();
    SwitchToComma();
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    const Conversions comma = ConvertAll();
    for (std::size_t k = 0; k < classic.read.size(); ++k) {
        const double a = classic.read[k], b = comma.read[k];
        EXPECT_TRUE(a == b || (std::isnan(a) && std::isnan(b))) << kTexts[k / 2] << ": " << a << " / " << b;
    }
    EXPECT_EQ(comma.shown, classic.shown);

    NumericTextBox pressure{"5.5"};
    EXPECT_EQ(ValidateNumericField(pressure, 6.3f, 3.0f, 6.3f), 5.5);
    EXPECT_EQ(pressure.colour, kColourValid);
}

// The classic conversion is the reference where the process locale is the classic one: the
// locale-free reader must agree with it bit for bit, overflow, underflow and denormals included.
TEST(LeadingDouble, AgreesWithTheClassicConversion) {
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ".");
    for (const std::string& t : kTexts) {
        const double expected = std::strtod(t.c_str(), nullptr);
        const double got = LeadingDouble(t);
        EXPECT_TRUE(expected == got || (std::isnan(expected) && std::isnan(got)))
            << '"' << t << "\": " << got << " instead of " << expected;
        EXPECT_EQ(std::signbit(expected), std::signbit(got)) << t;
    }
}

} // namespace comma_locale_test
} // namespace
} // namespace airmotor::core
