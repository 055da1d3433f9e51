#include "core/model/PressureFactors.h"

#include <gtest/gtest.h>

#include <string>

using namespace airmotor::core;

namespace {

PressureFactorValues Factors(float p, const std::string& designation,
                             PressureFactorValues previous = {0.5f, 0.25f, 0.125f}) {
    PressureFactors(p, designation, previous);
    return previous;
}

void ExpectFactors(const PressureFactorValues& actual, float km, float kn, float kl,
                   const std::string& what) {
    // Exact: these factors feed comparisons made to the last digit.
    EXPECT_EQ(actual.sngKm, km) << what;
    EXPECT_EQ(actual.sngKn, kn) << what;
    EXPECT_EQ(actual.sngKl, kl) << what;
}

const char* const kOneOfEachFamily[] = {"TKM22-A-010",     "PGW03-A", "PGW06-A",         "PGW11-A",
                                        "PGW17-A",         "PGW24-A", "TKS05-105UA-020", "TKS25-105BS-020",
                                        "TKS15-105XX-020", "ABC"};

} // namespace

// Inside the reference band every family gives exactly 1, although no polynomial does at 6.3.
TEST(PressureFactors, ReferenceBandGivesExactlyOne) {
    for (const char* designation : kOneOfEachFamily) {
        for (float p : {6.3f, 6.29995f, 6.30005f}) {
            ExpectFactors(Factors(p, designation), 1.0f, 1.0f, 1.0f, std::string(designation) + " at band");
        }
    }
}

// The band bounds themselves are outside it: the polynomials apply (values from an independent
// evaluation of the family polynomials).
TEST(PressureFactors, BandBoundsGoThroughThePolynomials) {
    ExpectFactors(Factors(6.2999f, "TKM22-A-010"), 0x1.fffdecp-1f, 0x1.fe4168p-1f, 0x1.00fc5cp+0f, "6.2999");
    ExpectFactors(Factors(6.3001f, "TKM22-A-010"), 0x1.00010ap+0f, 0x1.fe4222p-1f, 0x1.00fe8p+0f, "6.3001");
}

TEST(PressureFactors, ZeroPressureGivesZeroForEveryFamily) {
    for (const char* designation : kOneOfEachFamily) {
        ExpectFactors(Factors(0.0f, designation), 0.0f, 0.0f, 0.0f, designation);
    }
}

TEST(PressureFactors, DefaultFamily) {
    // Km = p / 6.3 in double, stored as single.
    ExpectFactors(Factors(5.0f, "TKM22-A-010"), 0x1.965966p-1f, 0x1.dd8cf6p-1f, 0x1.8fa026p-1f, "TKM at 5");
    ExpectFactors(Factors(3.0f, "TKM46-R"), 0x1.e79e7ap-2f, 0x1.761bc6p-1f, 0x1.c4e846p-2f, "TKM at 3");
}

// Four coefficients are single-precision constants; at 4.5 bar treating them as doubles changes
// the last bit of both sngKn and sngKl (0x1.c99502p-1 and 0x1.62839ep-1).
TEST(PressureFactors, SinglePrecisionCoefficientsMatter) {
    ExpectFactors(Factors(4.5f, "TKM22-A-010"), static_cast<float>(4.5 / 6.3), 0x1.c995p-1f, 0x1.6283ap-1f,
                  "TKM at 4.5");
    EXPECT_EQ(Factors(7.0f, "TKM22-A-010").sngKl, 0x1.1cf2d6p+0f);
}

TEST(PressureFactors, PgwFamiliesKeepTheSpeed) {
    ExpectFactors(Factors(4.0f, "PGW03-A"), 0x1.331388p-1f, 1.0f, 0x1.551bdp-1f, "PGW03 at 4");
    ExpectFactors(Factors(4.0f, "PGW24-A"), 0x1.3f9592p-1f, 1.0f, 0x1.5c938cp-1f, "PGW24 at 4");
    for (const char* designation : {"PGW06-A", "PGW11-A", "PGW17-A"}) {
        const PressureFactorValues f = Factors(4.0f, designation);
        EXPECT_EQ(f.sngKn, 1.0f) << designation;
        EXPECT_LT(f.sngKm, 1.0f) << designation;
        EXPECT_NE(f.sngKm, static_cast<float>(4.0 / 6.3)) << designation;
    }
}

TEST(PressureFactors, TksVersionAtPositionsTenAndEleven) {
    ExpectFactors(Factors(5.0f, "TKS05-105UA-020"), 0x1.956f92p-1f, 0x1.d81d7ep-1f, 0x1.8fa026p-1f,
                  "UA at 5");
    // Other TKS versions, and "UA" elsewhere in the text, are the default family.
    const PressureFactorValues byDefault = Factors(5.0f, "TKM22-A-010");
    for (const char* designation :
         {"TKS15-105XX-020", "TKS05-UA", "TKS05-1050UA-02", "TKS05", "TKS05-105U"}) {
        ExpectFactors(Factors(5.0f, designation), byDefault.sngKm, byDefault.sngKn, byDefault.sngKl,
                      designation);
    }
}

// "BS" motors have no data of their own: whatever the previous call left stays.
TEST(PressureFactors, TksBsKeepsThePreviousFactors) {
    ExpectFactors(Factors(5.0f, "TKS25-105BS-020", {0.5f, 0.25f, 0.125f}), 0.5f, 0.25f, 0.125f, "BS at 5");
    // The zero test and the band come before the family: they still apply.
    ExpectFactors(Factors(0.0f, "TKS25-105BS-020"), 0.0f, 0.0f, 0.0f, "BS at 0");
    ExpectFactors(Factors(6.3f, "TKS25-105BS-020"), 1.0f, 1.0f, 1.0f, "BS at 6.3");
}

// The family is the exact, case-sensitive five leading characters.
TEST(PressureFactors, FamilyMatchIsExact) {
    const PressureFactorValues byDefault = Factors(5.0f, "TKM22-A-010");
    for (const char* designation : {"TKS 05-105UA-020", "tks05-105UA-020", "TKS35-105UA-020", "PGW3-A",
                                    "pgw03-A", " PGW03-A", "PGW", ""}) {
        ExpectFactors(Factors(5.0f, designation), byDefault.sngKm, byDefault.sngKn, byDefault.sngKl,
                      std::string("'") + designation + "'");
    }
}
