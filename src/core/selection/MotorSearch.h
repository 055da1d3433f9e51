#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/language/Language.h"
#include "core/model/PressureFactors.h"
#include "core/selection/MotorFilter.h"
#include "core/selection/RequirementInput.h"
#include "core/selection/ResultTable.h"

#include <string>
#include <vector>

namespace airmotor::core {

// The working point is present: torque and speed given, or one of them given and the other
// field holding exactly "0" (standstill / free running).
bool WorkingPointGiven(const RequirementValues& values, const std::string& torqueText,
                       const std::string& speedText);

// Given values among working torque, start torque, free speed min/max, stall torque min/max.
int CountGivenValues(const RequirementValues& values);

// The search case 1..12 for these inputs; 0 when none fits.
int ChooseSearchCase(const RequirementValues& values, bool workingPoint);

// Throttle ratio below which a throttled motor is not offered.
double ThrottleLimit(const std::string& designation);

// The motors a search or listing found; the session makes the grid's text of them (ResultGrid).
struct SearchOutcome {
    std::vector<ResultRow> rows;
    // Per row: the motor's start torque, at its pressure, does not reach the working torque.
    std::vector<bool> startTooLow;
    bool Label23Visible = false;
};

// One run of the search loop over the catalogue (search order) for a chosen case. The shared
// pressure factors are the program's own: the tests at a reduced pressure leave them as the
// last motor's ("BS" designations keep the previous factors).
class MotorSearch final {
public:
    MotorSearch(const MotorCatalogue& catalogue, const RequirementValues& values, int searchCase,
                const MotorFilter& filter, PressureFactorValues& factors);

    SearchOutcome Run();

    // Makes motor i the designation under test and sets sngKmAv, sngKnAv at the available pressure.
    void PrepareMotor(int i);
    // Case test of motor i (after PrepareMotor): true when it goes to the listing step.
    bool PassesCase(int i, float& r, float& p);
    float ThrottleRatio(int i) const;
    float ReducedPressure(float torque, float speed, int i);

    float sngKmAv = 1.0f;
    float sngKnAv = 1.0f;

private:
    bool SpeedTest(int i) const;
    bool ListedAfterReducedPressure(int i, float r, float& p, bool stallTest);
    bool ThrottleOrPressureCase(int i, float& r, float& p, bool stallTest);
    bool FreeSpeedMaxCase(int i, float& r, float& p, bool stallTest);

    const MotorCatalogue& catalogue_;
    RequirementValues values_;
    int case_;
    MotorFilter filter_;
    PressureFactorValues& factors_;
    std::string designation_;
    double limit_ = 0.5;
};

} // namespace airmotor::core
