#include "core/model/MotorCurves.h"

#include "core/format/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace airmotor::core {

namespace {

constexpr int kMaxDegree = 4;

// x^k of a single in double. x * x is exact (48 significant bits at most), so (x * x) * x and
// (x * x) * (x * x) are rounded once: the correctly rounded power. The library's pow is off by one
// bit for about 0.2 % of singles at k = 3 and 4, and costs a quarter of a search; after the sum in
// float such a bit shows only where the double sum lies within it of a float rounding boundary.
double PowerOf(double x, int k) {
    switch (k) {
    case 0:
        return 1.0;
    case 1:
        return x;
    case 2:
        return x * x;
    case 3:
        return (x * x) * x;
    case 4:
        return (x * x) * (x * x);
    default:
        return std::pow(x, static_cast<double>(k));
    }
}

// Sum in float of the terms k = 0..terms-1, every term c_k * x^k in double: figures are compared
// with other tools that evaluate the catalogue curves this way, to the last digit.
template <typename Coefficient> float SumOfTerms(int terms, float x, Coefficient coefficient) {
    const double xd = static_cast<double>(x);
    float sum = 0.0f;
    for (int k = 0; k < terms; ++k) {
        sum = static_cast<float>(static_cast<double>(sum) +
                                 static_cast<double>(coefficient(k)) * PowerOf(xd, k));
    }
    return sum;
}

// Candidate steps of the torque and air axes: s = f * 10^k, k from -2 upwards, smallest first.
constexpr double kStepMantissas[] = {1.0, 1.5, 2.0, 3.0, 4.0, 5.0};
// Float range ends near 3.4e38: no finite axis value needs a step beyond 10^39.
constexpr int kHighestStepExponent = 39;

AxisRecord SharedGridAxis(double maximumToShow, int divisions, double margin) {
    AxisRecord axis;
    axis.divisions = divisions;
    const double d = static_cast<double>(divisions);
    for (int k = -2; k <= kHighestStepExponent; ++k) {
        const double decade = std::pow(10.0, static_cast<double>(k));
        for (double f : kStepMantissas) {
            const double s = f * decade;
            axis.step = s;
            if (d * s * margin >= maximumToShow) {
                axis.maximum = d * s;
                axis.labelStep = s;
                return axis;
            }
        }
    }
    // Only an infinite or NaN maximum gets here; keep the widest step rather than loop for ever.
    axis.maximum = d * axis.step;
    axis.labelStep = axis.step;
    return axis;
}

} // namespace

int WholeDegree(float intGradtal) {
    if (!(intGradtal >= 0.0f)) {
        return 0;
    }
    return static_cast<int>(std::min(std::floor(intGradtal), static_cast<float>(kMaxDegree)));
}

float EvaluatePolynomial(const std::vector<float>& coefficients, float x) {
    return SumOfTerms(static_cast<int>(coefficients.size()), x,
                      [&](int k) { return coefficients[static_cast<std::size_t>(k)]; });
}

float TorquePolynomial(const MotorCatalogue& catalogue, int i, float x) {
    return SumOfTerms(WholeDegree(catalogue.intGradtal_M[static_cast<std::size_t>(i)]) + 1, x,
                      [&](int k) { return catalogue.cM(k, i); });
}

float AirPolynomial(const MotorCatalogue& catalogue, int i, float x) {
    return SumOfTerms(WholeDegree(catalogue.intGradtal_L[static_cast<std::size_t>(i)]) + 1, x,
                      [&](int k) { return catalogue.cL(k, i); });
}

float TorqueAt(const MotorCatalogue& catalogue, int i, float n, const PressureFactorValues& factors) {
    const float reducedSpeed = n / factors.sngKn;
    return factors.sngKm * TorquePolynomial(catalogue, i, reducedSpeed);
}

float AirAt(const MotorCatalogue& catalogue, int i, float n, const PressureFactorValues& factors) {
    const float reducedSpeed = n / factors.sngKn;
    return factors.sngKl * AirPolynomial(catalogue, i, reducedSpeed);
}

float PowerAt(float torque, float speed) {
    // Pi is held as a single, and the product is formed in single precision from left to right;
    // only the division by 60000 (Nm r/min -> kW) is exact to the float result either way.
    const float sngPi = static_cast<float>(4.0 * std::atan(1.0));
    const float product = 2.0f * sngPi * torque * speed;
    return static_cast<float>(static_cast<double>(product) / 60000.0);
}

std::optional<AxisRecord> NiceAxis(double value, char axis) {
    // Infinity or NaN would never reach [1, 10); such a value leaves the axis unchanged.
    if (!(value > 0.0) || !std::isfinite(value)) {
        return std::nullopt;
    }
    double m = value;
    int e = 0;
    while (m >= 10.0) {
        m /= 10.0;
        ++e;
    }
    while (m < 1.0) {
        m *= 10.0;
        --e;
    }

    double c = 0.0;
    if (m == std::floor(m)) {
        c = m;
    } else if (m > 1.0 && m <= 1.2) {
        c = 1.2;
    } else if (m > 1.2 && m <= 1.4) {
        c = 1.4;
    } else if (m > 1.4 && m <= 1.5) {
        c = 1.5;
    } else if (m > 1.5 && m <= 1.6) {
        c = 1.6;
    } else if (axis == 'Y' && m > 1.6 && m <= 1.8) {
        c = 1.8;
    } else if (m > 2.0 && m <= 2.4) {
        c = 2.4;
    } else if (m > 2.4 && m <= 2.5) {
        c = 2.5;
    } else {
        c = std::floor(m) + 1.0;
    }

    struct Division {
        double c;
        int divisions;
    };
    static constexpr Division kDivisions[] = {{1.0, 5}, {1.2, 6}, {1.4, 7}, {1.5, 5}, {1.6, 8}, {1.8, 9},
                                              {2.0, 5}, {2.4, 6}, {2.5, 5}, {3.0, 6}, {4.0, 8}, {5.0, 5},
                                              {6.0, 6}, {7.0, 7}, {8.0, 8}, {9.0, 5}, {10.0, 5}};
    AxisRecord record;
    for (const Division& entry : kDivisions) {
        if (entry.c == c) {
            record.divisions = entry.divisions;
            break;
        }
    }
    // Nine divisions of one would be unreadable: 9 is drawn as 10 in five steps of 2.
    if (c == 9.0) {
        c = 10.0;
    }
    record.maximum = c * std::pow(10.0, static_cast<double>(e));
    record.step = record.maximum / static_cast<double>(record.divisions);
    record.labelStep = record.step;
    return record;
}

int DecimalsFor(double value) {
    const char* mask = value > 9000.0 ? "#######.##" : value > 900.0 ? "#######.###" : "#######.####";
    const std::string text = FormatNumber(value, mask);
    const std::size_t point = text.find_first_of(".,");
    return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

DiagramScale CurrentMotorScale(const MotorCatalogue& catalogue, int i, const PressureFactorValues& factors,
                               const UnitFactors& units, int intPressureMode, bool bolKatalogMode) {
    // No current motor (an empty result list): nothing to scale.
    if (i < 0 || static_cast<std::size_t>(i) >= catalogue.sngTomgVarvtal.size()) {
        return DiagramScale{};
    }
    const auto idx = static_cast<std::size_t>(i);
    // Alternative 4 draws the motor at the supplied pressure; the others show catalogue values.
    const bool atPressure = intPressureMode == 4;
    DiagramScale scale;

    if (catalogue.sngMax_VarvDiagram[idx] >= 1) {
        scale.sngTopVarv = static_cast<float>(catalogue.sngMax_VarvDiagram[idx]);
    } else {
        scale.sngTopVarv = catalogue.sngTomgVarvtal[idx];
        if (atPressure) {
            scale.sngTopVarv = scale.sngTopVarv * factors.sngKn;
        }
    }
    if (catalogue.sngMin_VarvDiagram[idx] <= 0.0f) {
        scale.sngStartVarv = static_cast<float>(0.05 * static_cast<double>(scale.sngTopVarv));
    } else {
        scale.sngStartVarv = catalogue.sngMin_VarvDiagram[idx];
    }

    const float startTorque =
        factors.sngKm * TorquePolynomial(catalogue, i, scale.sngStartVarv) / units.sngUnitTorque;
    float sngMaxEffektAxel = 0.0f;
    if (atPressure) {
        scale.sngMaxMomentAxel = factors.sngKm * catalogue.sngStallmoment[idx] / units.sngUnitTorque;
        scale.sngMaxLuftAxel = static_cast<float>(1.25 * static_cast<double>(factors.sngKl) *
                                                  static_cast<double>(catalogue.sngLuftforbrTomgang[idx]) /
                                                  static_cast<double>(units.sngUnitAir));
        sngMaxEffektAxel = factors.sngKm * factors.sngKn * catalogue.sngMaxEffekt[idx] / units.sngUnitPower;
    } else {
        scale.sngMaxMomentAxel = catalogue.sngStallmoment[idx] / units.sngUnitTorque;
        scale.sngMaxLuftAxel =
            static_cast<float>(1.25 * static_cast<double>(catalogue.sngLuftforbrTomgang[idx]) /
                               static_cast<double>(units.sngUnitAir));
        sngMaxEffektAxel = catalogue.sngMaxEffekt[idx] / units.sngUnitPower;
    }
    scale.sngMaxMomentAxel = std::max(scale.sngMaxMomentAxel, startTorque);

    if (auto power = NiceAxis(0.995 * static_cast<double>(sngMaxEffektAxel), 'Y')) {
        scale.power = *power;
    }
    // Torque and air share the power axis' grid lines. A motor without power data leaves that
    // axis empty; five divisions then keep the step search finite.
    const int d = scale.power.divisions > 0 ? scale.power.divisions : 5;
    scale.torque = SharedGridAxis(static_cast<double>(scale.sngMaxMomentAxel), d, 1.00001);
    scale.air = SharedGridAxis(static_cast<double>(scale.sngMaxLuftAxel), d, 1.0);

    if (auto speed = NiceAxis(0.995 * static_cast<double>(scale.sngTopVarv), 'X')) {
        scale.speed = *speed;
        const double q = scale.speed.maximum / scale.speed.step;
        const bool crowded = q > 7.0 && scale.speed.maximum > 1000.0;
        // The maintenance window plots wider speed ranges with longer labels.
        const bool crowdedMaintenance = !bolKatalogMode && q > 6.0 && scale.speed.maximum > 10000.0;
        if (crowded || crowdedMaintenance) {
            scale.speed.labelStep = 2.0 * scale.speed.step;
        }
    }
    return scale;
}

} // namespace airmotor::core
