#include "core/model/PressureFactors.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

using namespace airmotor::core;

// Every family's factors at ten pressures, the reference band and its bounds are pinned to the
// last bit by the CLI's recorded answers (factors --designation ... --pressure ...). Here: which
// designations fall to which family, and what "BS" motors keep.

namespace {
namespace pressure_factors_test {

// Km, Kn and Kl after a call that starts from `previous`.
std::array<float, 3> Factors(float p, const std::string& designation,
                             PressureFactorValues previous = {0.5f, 0.25f, 0.125f}) {
    PressureFactors(p, designation, previous);
    return {previous.sngKm, previous.sngKn, previous.sngKl};
}

// The family is the exact, case-sensitive five leading characters; a TKS version counts only at
// positions ten and eleven. Everything else is the default family.
TEST(PressureFactors, FamilyMatchIsExactAndTheTksVersionIsPositional) {
    const std::array<float, 3> byDefault = Factors(5.0f, "TKM22-A-010");
    EXPECT_EQ(Factors(5.0f, "TKS15-105UA-020"), Factors(5.0f, "TKS03-105UA-020"))
        << "UA in another TKS family";
    EXPECT_NE(Factors(5.0f, "TKS15-105UA-020")[1], byDefault[1]);
    EXPECT_EQ(Factors(5.0f, "PGW11-A")[1], 1.0f);
    for (const char* designation :
         {"TKS15-105XX-020", "TKS05-UA", "TKS05-1050UA-02", "TKS05", "TKS05-105U", "TKS 05-105UA-020",
          "tks05-105UA-020", "TKS35-105UA-020", "PGW3-A", "pgw03-A", " PGW03-A", "PGW", ""}) {
        EXPECT_EQ(Factors(5.0f, designation), byDefault) << "'" << designation << "'";
    }
}

// "BS" motors have no data of their own: whatever the previous call left stays, but the zero test
// and the reference band come before the family.
TEST(PressureFactors, TksBsKeepsThePreviousFactors) {
    EXPECT_EQ(Factors(5.0f, "TKS25-105BS-020"), (std::array{0.5f, 0.25f, 0.125f})) << "BS at 5";
    EXPECT_EQ(Factors(0.0f, "TKS25-105BS-020"), (std::array{0.0f, 0.0f, 0.0f})) << "BS at 0";
    EXPECT_EQ(Factors(6.30005f, "TKS25-105BS-020"), (std::array{1.0f, 1.0f, 1.0f}))
        << "BS inside the band's upper half";
}

} // namespace pressure_factors_test
} // namespace
