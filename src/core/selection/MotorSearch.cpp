#include "core/selection/MotorSearch.h"

#include "core/common/Keys.h"
#include "core/model/LeastSquares.h"
#include "core/model/MotorCurves.h"
#include "core/selection/Designation.h"

#include <algorithm>

namespace airmotor::core {

namespace {

constexpr int kThrottlePoints = 11;
constexpr int kBaseRowLimit = 15;
// Throttling is estimated from the straight line between stall and free speed; outside this range of
// the ratio of required to line speed the line is too far from the curve for the estimate to hold.
constexpr double kMinLineRatio = 0.1;
constexpr double kMaxLineRatio = 1.1;
// The torque curve is tabulated for the throttling fit up to this multiple of the free speed, so the
// fit also covers speeds just beyond it.
constexpr double kFitSpeedSpan = 1.1;
// Lowest supply pressure the pressure factors were measured down to [bar]: TKS motors run lower.
constexpr float kLowestTksPressure = 1.5f;
constexpr double kLowestPressure = 3.0;
// The reduced pressure is first guessed on a straight line from the lowest pressure to the
// reference one, then refined between the torques half a bar either side of the guess.
constexpr double kGuessSpan = kReferencePressure - kLowestPressure;
constexpr double kGuessBracket = 0.5;

} // namespace

bool WorkingPointGiven(const RequirementValues& v, const std::string& torqueText,
                       const std::string& speedText) {
    if (v.sngArbetsMoment > 0 && v.sngArbetsVarvtal > 0)
        return true;
    if (v.sngArbetsMoment > 0 && speedText == "0")
        return true;
    return v.sngArbetsVarvtal > 0 && torqueText == "0";
}

int CountGivenValues(const RequirementValues& v) {
    int count = 0;
    for (float value : {v.sngArbetsMoment, v.sngMinStartmoment, v.sngTomgVarvMin, v.sngTomgVarvMax,
                        v.sngStallmomentMin, v.sngStallmomentMax})
        if (value > 0)
            ++count;
    return count;
}

int ChooseSearchCase(const RequirementValues& v, bool wp) {
    const bool start = v.sngMinStartmoment > 0;
    const bool stallMin = v.sngStallmomentMin > 0;
    const bool stallMax = v.sngStallmomentMax > 0;
    const bool freeMin = v.sngTomgVarvMin > 0;
    const bool freeMax = v.sngTomgVarvMax > 0;
    if (start && wp)
        return StartAndWorkingPoint;
    if (start && freeMin)
        return StartAndFreeSpeedMin;
    if (start && freeMax)
        return StartAndFreeSpeedMax;
    if (stallMin && wp)
        return StallMinAndWorkingPoint;
    if (stallMin && freeMin)
        return StallMinAndFreeSpeedMin;
    if (stallMin && freeMax)
        return StallMinAndFreeSpeedMax;
    if (stallMax && wp)
        return StallMaxAndWorkingPoint;
    if (stallMax && freeMin)
        return StallMaxAndFreeSpeedMin;
    if (stallMax && freeMax)
        return StallMaxAndFreeSpeedMax;
    if (wp && !freeMin && !freeMax)
        return WorkingPointOnly;
    if (freeMin && wp)
        return WorkingPointAndFreeSpeedMin;
    if (freeMax && wp)
        return WorkingPointAndFreeSpeedMax;
    return NoCase;
}

double ThrottleLimit(const std::string& designation) {
    return StartsWith(designation, "TKS") ? 0.2 : 0.5;
}

MotorSearch::MotorSearch(const MotorCatalogue& catalogue, const RequirementValues& values, int searchCase,
                         const MotorFilter& filter, PressureFactorValues& factors)
    : catalogue_(catalogue), values_(values), case_(searchCase), filter_(filter), factors_(factors) {}

void MotorSearch::PrepareMotor(int i) {
    designation_ = catalogue_.strBenamning[static_cast<std::size_t>(i)];
    limit_ = ThrottleLimit(designation_);
    if (values_.sngTillgLuftTryck == kReferencePressureBar) {
        sngKmAv = 1.0f;
        sngKnAv = 1.0f;
    } else {
        PressureFactors(values_.sngTillgLuftTryck, designation_, factors_);
        sngKmAv = factors_.sngKm;
        sngKnAv = factors_.sngKn;
    }
}

float MotorSearch::ThrottleRatio(int i) const {
    const auto k = static_cast<std::size_t>(i);
    const float n0 = catalogue_.sngTomgVarvtal[k];
    const float mReq = values_.sngArbetsMoment;
    const float nReq = values_.sngArbetsVarvtal;
    const float ts = sngKmAv * catalogue_.sngStallmoment[k];
    const float slope = -ts / (sngKnAv * n0);
    float r = nReq / ((mReq - ts) / slope);
    if (static_cast<double>(r) < kMinLineRatio || static_cast<double>(r) > kMaxLineRatio)
        return 0.0f;

    // Eleven tabulated points: a float loop counter would drift from the speeds the fit expects.
    std::vector<float> x(kThrottlePoints + 1, 0.0f);
    std::vector<float> y(kThrottlePoints + 1, 0.0f);
    const float h = static_cast<float>(kFitSpeedSpan * static_cast<double>(n0) / (kThrottlePoints - 1));
    for (int p = 0; p < kThrottlePoints; ++p) {
        const float n = static_cast<float>(p) * h;
        x[static_cast<std::size_t>(p + 1)] = sngKmAv * TorquePolynomial(catalogue_, i, n);
        y[static_cast<std::size_t>(p + 1)] = sngKnAv * n;
    }
    // A damaged degree (negative, NaN, above the stored coefficients) must not reach the fit as such.
    const int degree = WholeDegree(catalogue_.intGradtal_M[k]);
    const float nM = EvaluatePolynomial(FitPolynomial(x, y, kThrottlePoints, degree), mReq);
    r = nReq / nM;
    if (static_cast<double>(r) > 1.0)
        return 0.0f;
    r = r * sngKnAv;
    if (static_cast<double>(r) < limit_ || static_cast<double>(r) > 1.0)
        return 0.0f;
    return r;
}

float MotorSearch::ReducedPressure(float torque, float speed, int i) {
    const float mRef = TorquePolynomial(catalogue_, i, speed);
    const float pLow =
        StartsWith(designation_, "TKS") ? kLowestTksPressure : static_cast<float>(kLowestPressure);
    PressureFactors(pLow, designation_, factors_);
    const float mLow = TorqueAt(catalogue_, i, speed, factors_);
    if (!(mLow <= torque && torque <= mRef))
        return 0.0f;
    const float pE = static_cast<float>(static_cast<double>((torque - mLow) / (mRef - mLow)) * kGuessSpan +
                                        kLowestPressure);
    const float pA = static_cast<float>(static_cast<double>(pE) - kGuessBracket);
    const float pB = static_cast<float>(static_cast<double>(pE) + kGuessBracket);
    PressureFactors(pA, designation_, factors_);
    const float mA = TorqueAt(catalogue_, i, speed, factors_);
    PressureFactors(pB, designation_, factors_);
    const float mB = TorqueAt(catalogue_, i, speed, factors_);
    const float p = (torque - mA) / (mB - mA) * (pB - pA) + pA;
    return p > values_.sngTillgLuftTryck ? 0.0f : p;
}

bool MotorSearch::SpeedTest(int i) const {
    const auto k = static_cast<std::size_t>(i);
    return sngKnAv * catalogue_.sngTomgVarvtal[k] >= values_.sngArbetsVarvtal &&
           sngKmAv * TorquePolynomial(catalogue_, i, values_.sngArbetsVarvtal) >= values_.sngArbetsMoment;
}

// Cases 1, 3, 4 and 6 from "p = 0?" onward. The start or stall test at p uses the shared factors.
bool MotorSearch::ListedAfterReducedPressure(int i, float r, float& p, bool stallTest) {
    if (p == 0.0f)
        return static_cast<double>(r) >= limit_;
    const auto k = static_cast<std::size_t>(i);
    PressureFactors(p, designation_, factors_);
    const float stallEst = 2 * catalogue_.sngMomentMaxeff[k];
    const bool passes = stallTest
                            ? factors_.sngKm * stallEst >= values_.sngStallmomentMin
                            : factors_.sngKm * catalogue_.sngMinStartMoment[k] >= values_.sngMinStartmoment;
    if (!passes)
        p = 0.0f;
    return r != 0.0f || p != 0.0f;
}

bool MotorSearch::ThrottleOrPressureCase(int i, float& r, float& p, bool stallTest) {
    if (!SpeedTest(i))
        return false;
    r = ThrottleRatio(i);
    p = ReducedPressure(values_.sngArbetsMoment, values_.sngArbetsVarvtal, i);
    return ListedAfterReducedPressure(i, r, p, stallTest);
}

bool MotorSearch::FreeSpeedMaxCase(int i, float& r, float& p, bool stallTest) {
    const float n0 = catalogue_.sngTomgVarvtal[static_cast<std::size_t>(i)];
    const float freeMax = values_.sngTomgVarvMax;
    if (!(2 * freeMax >= n0))
        return false;
    r = sngKnAv * n0 > freeMax ? freeMax / (sngKnAv * n0) : 0.0f;
    if (n0 <= freeMax)
        return true;
    p = ReducedPressure(0.0f, freeMax, i);
    return ListedAfterReducedPressure(i, r, p, stallTest);
}

bool MotorSearch::PassesCase(int i, float& r, float& p) {
    const auto k = static_cast<std::size_t>(i);
    const RequirementValues& v = values_;
    const float n0 = catalogue_.sngTomgVarvtal[k];
    const float stallEst = 2 * catalogue_.sngMomentMaxeff[k];
    const bool startOk = sngKmAv * catalogue_.sngMinStartMoment[k] >= v.sngMinStartmoment;
    const bool stallMinOk = sngKmAv * stallEst >= v.sngStallmomentMin;
    r = 0.0f;
    p = 0.0f;
    switch (case_) {
    case StartAndWorkingPoint:
        return startOk && ThrottleOrPressureCase(i, r, p, false);
    case StartAndFreeSpeedMin:
        return startOk && sngKnAv * n0 >= v.sngTomgVarvMin;
    case StartAndFreeSpeedMax:
        return startOk && FreeSpeedMaxCase(i, r, p, false);
    case StallMinAndWorkingPoint:
        return stallMinOk && ThrottleOrPressureCase(i, r, p, true);
    case StallMinAndFreeSpeedMin:
        return sngKnAv * n0 >= v.sngTomgVarvMin && stallMinOk;
    case StallMinAndFreeSpeedMax:
        return stallMinOk && FreeSpeedMaxCase(i, r, p, true);
    case StallMaxAndWorkingPoint: {
        if (!SpeedTest(i))
            return false;
        p = ReducedPressure(v.sngArbetsMoment, v.sngArbetsVarvtal, i);
        if (p == 0.0f)
            return false;
        PressureFactors(p, designation_, factors_);
        if (factors_.sngKm * stallEst > v.sngStallmomentMax)
            return false;
        r = ThrottleRatio(i);
        if (sngKmAv * stallEst > v.sngStallmomentMax)
            r = 0.0f;
        return true;
    }
    case StallMaxAndFreeSpeedMin: {
        factors_.sngKm = 1.0f;
        factors_.sngKn = 1.0f;
        if (sngKmAv * stallEst > v.sngStallmomentMax) {
            p = static_cast<float>(static_cast<double>(v.sngStallmomentMax / stallEst) * kReferencePressure);
            if (static_cast<double>(p) < kLowestPressure)
                return false;
            if (static_cast<double>(p) > kReferencePressure)
                p = kReferencePressureBar;
            PressureFactors(p, designation_, factors_);
        }
        return factors_.sngKn * n0 >= v.sngTomgVarvMin;
    }
    case StallMaxAndFreeSpeedMax: {
        factors_.sngKm = 1.0f;
        factors_.sngKn = 1.0f;
        float p1 = 0.0f;
        const bool tooStrong = sngKmAv * stallEst > v.sngStallmomentMax;
        if (tooStrong) {
            p1 = static_cast<float>(static_cast<double>(v.sngStallmomentMax / stallEst) * kReferencePressure);
            if (static_cast<double>(p1) < kLowestPressure)
                return false;
            if (static_cast<double>(p1) > kReferencePressure)
                p1 = kReferencePressureBar;
            if (p1 > v.sngTillgLuftTryck)
                p1 = v.sngTillgLuftTryck;
            PressureFactors(p1, designation_, factors_);
            if (factors_.sngKn * n0 > v.sngTomgVarvMax)
                p1 = 0.0f;
        } else {
            p1 = kReferencePressureBar;
        }
        const float p2 = ReducedPressure(0.0f, v.sngTomgVarvMax, i);
        p = p2 < p1 ? p2 : p1;
        if (static_cast<double>(p) < kLowestPressure)
            p = 0.0f;
        if (static_cast<double>(p) > kReferencePressure)
            p = kReferencePressureBar;
        if (!tooStrong) {
            if (2 * v.sngTomgVarvMax < n0 && p == 0.0f)
                return false;
            r = sngKnAv * n0 > v.sngTomgVarvMax ? v.sngTomgVarvMax / (sngKnAv * n0) : 0.0f;
        }
        return p != 0.0f || r != 0.0f;
    }
    case WorkingPointOnly:
        if (!SpeedTest(i))
            return false;
        r = ThrottleRatio(i);
        p = ReducedPressure(v.sngArbetsMoment, v.sngArbetsVarvtal, i);
        return p != 0.0f || static_cast<double>(r) >= limit_;
    case WorkingPointAndFreeSpeedMin: {
        if (!SpeedTest(i))
            return false;
        p = ReducedPressure(v.sngArbetsMoment, v.sngArbetsVarvtal, i);
        if (p == 0.0f)
            return false;
        PressureFactors(p, designation_, factors_);
        if (factors_.sngKn * n0 < v.sngTomgVarvMin)
            return false;
        r = ThrottleRatio(i);
        if (r * n0 < v.sngTomgVarvMin)
            r = 0.0f;
        return true;
    }
    case WorkingPointAndFreeSpeedMax: {
        if (!SpeedTest(i))
            return false;
        r = ThrottleRatio(i);
        if (static_cast<double>(r) < limit_ || r * n0 > v.sngTomgVarvMax)
            return false;
        p = ReducedPressure(v.sngArbetsMoment, v.sngArbetsVarvtal, i);
        if (p > 0) {
            PressureFactors(p, designation_, factors_);
            if (factors_.sngKn * n0 > v.sngTomgVarvMax)
                p = 0.0f;
        }
        return true;
    }
    default:
        return false;
    }
}

SearchOutcome MotorSearch::Run() {
    SearchOutcome out;
    int b = 0;
    const RequirementValues& v = values_;
    const int count = std::min<int>(catalogue_.intAntalMotorer, kMaxMotors);
    for (int k = 1; k <= count; ++k) {
        const int i = catalogue_.intSokindex[static_cast<std::size_t>(k)];
        if (i < 1 || i > catalogue_.intAntalMotorer)
            continue; // a search index outside the catalogue names no motor
        const auto ii = static_cast<std::size_t>(i);
        if (catalogue_.bolOldMotor[ii])
            continue;
        PrepareMotor(i);
        if (!filter_.PassesTkmOptions(catalogue_, i) || !filter_.PassesSeries(catalogue_, i))
            continue;
        if (Series(designation_) == "PGW" && v.sngArbetsVarvtal > catalogue_.sngMax_VarvDiagram[ii])
            continue;
        if (!filter_.PassesTksOptions(catalogue_, i))
            continue;
        if (!(sngKmAv * (2 * catalogue_.sngMomentMaxeff[ii]) > v.sngArbetsMoment))
            continue;
        float r = 0.0f;
        float p = 0.0f;
        if (!PassesCase(i, r, p))
            continue;

        // Listing step.
        const int row = static_cast<int>(out.rows.size()) + 1;
        if (filter_.DropsUnrestricted(catalogue_, i))
            continue;
        const float maxSpeed = catalogue_.sngMax_VarvDiagram[ii];
        if (maxSpeed > 0 && !(v.sngArbetsVarvtal <= maxSpeed && v.sngTomgVarvMin <= maxSpeed))
            continue;
        if (Contains(designation_, "-B-"))
            ++b;
        if (row > kBaseRowLimit + b)
            break;
        out.rows.push_back(ResultRow{static_cast<std::int16_t>(i), r, p});
        const float startMoment = catalogue_.sngMinStartMoment[ii];
        const bool startReached = v.sngArbetsMoment <= startMoment &&
                                  (p == 0.0f || static_cast<double>(p * startMoment) / kReferencePressure >=
                                                    static_cast<double>(v.sngArbetsMoment));
        out.startTooLow.push_back(!startReached);
        if (EndsWith(designation_, "-U"))
            out.Label23Visible = true;
    }
    return out;
}

} // namespace airmotor::core
