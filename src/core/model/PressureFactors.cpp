#include "core/model/PressureFactors.h"
#include "core/common/Keys.h"

#include <array>
#include <cmath>

namespace airmotor::core {

namespace {

// Factor polynomials c0 + c1 p + c2 p^2 + c3 p^3 in bar, evaluated term by term in double and
// rounded once into the float factor. The measured data behind four coefficients were kept in
// single precision; those are float literals on purpose and must stay so.
struct Cubic {
    double c0, c1, c2, c3;
};

float Evaluate(const Cubic& poly, float p) {
    const double x = static_cast<double>(p);
    return static_cast<float>(poly.c0 + poly.c1 * x + poly.c2 * std::pow(x, 2) + poly.c3 * std::pow(x, 3));
}

// A typed pressure within a ten-thousandth of a bar of the reference counts as the reference: the
// factor polynomials are fits, and only exactly 1 reproduces the catalogue figures.
constexpr double kNearReference = 1e-4;
constexpr float kNearReferenceLow = static_cast<float>(kReferencePressure - kNearReference);
constexpr float kNearReferenceHigh = static_cast<float>(kReferencePressure + kNearReference);

struct FamilyFactors {
    const char* family;
    Cubic km;
    Cubic kl;
};

// Vane motors: speed does not depend on pressure (sngKn = 1).
constexpr std::array<FamilyFactors, 5> kPgwFamilies = {{
    {"PGW03", {0.094572, 0.057643, 0.023297, -0.0015334}, {-0.16496, 0.26632, -0.017825, 0.00079856}},
    {"PGW06", {0.13735, 0.045965, 0.020666, -0.00099425}, {0.4089, -0.090215, 0.046534, -0.0026795}},
    {"PGW11", {0.049426, 0.10491, 0.010559, -0.00052645}, {0.10525, 0.12537, 0.0025986, 0.0}},
    {"PGW17", {0.10926, 0.071301, 0.019771, -0.0013438}, {0.11097, 0.15577, -0.002234, 0.0}},
    {"PGW24", {0.03002, 0.13882, 0.0024305, 0.0}, {0.21641, 0.1014, 0.0036752, 0.0}},
}};

constexpr std::array<const char*, 4> kTksFamilies = {"TKS03", "TKS05", "TKS15", "TKS25"};

constexpr Cubic kTksUaKm = {0.0041206, 0.15451, 0.00060785, 0.0};
constexpr Cubic kTksUaKn = {0.14725, 0.23249, -0.015504, 0.0};
// Shared by TKS "UA" and the default family.
constexpr Cubic kCommonKl = {0.1529647, 0.0201782, 0.03195383f, -0.002177462f};
constexpr Cubic kDefaultKn = {0.2116277, 0.2130721, -0.01272238f, -0.0002097011f};

} // namespace

void PressureFactors(float p, std::string_view strCurrentBenamning, PressureFactorValues& factors) {
    if (p == 0.0f) {
        factors = {0.0f, 0.0f, 0.0f};
        return;
    }
    // The catalogue curves are measured at 6.3 bar; near it the factors are exactly 1 so that
    // catalogue figures are reproduced to the last digit.
    if (p > kNearReferenceLow && p < kNearReferenceHigh) {
        factors = {1.0f, 1.0f, 1.0f};
        return;
    }

    const std::string_view family = strCurrentBenamning.substr(0, 5);
    for (const FamilyFactors& pgw : kPgwFamilies) {
        if (family == pgw.family) {
            factors.sngKm = Evaluate(pgw.km, p);
            factors.sngKn = 1.0f;
            factors.sngKl = Evaluate(pgw.kl, p);
            return;
        }
    }
    for (const char* tks : kTksFamilies) {
        if (family != tks) {
            continue;
        }
        const std::string_view version =
            strCurrentBenamning.size() > 9 ? strCurrentBenamning.substr(9, 2) : std::string_view{};
        if (version == "UA") {
            factors.sngKm = Evaluate(kTksUaKm, p);
            factors.sngKl = Evaluate(kCommonKl, p);
            factors.sngKn = Evaluate(kTksUaKn, p);
            return;
        }
        if (version == "BS") {
            return; // no data of their own: the previous factors stay
        }
        break;
    }

    factors.sngKm = static_cast<float>(static_cast<double>(p) / kReferencePressure);
    factors.sngKn = Evaluate(kDefaultKn, p);
    factors.sngKl = Evaluate(kCommonKl, p);
}

} // namespace airmotor::core
