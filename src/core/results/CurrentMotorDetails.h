#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/language/Language.h"
#include "core/model/PressureFactors.h"
#include "core/results/CurrentMotor.h"
#include "core/selection/ResultTable.h"

#include <string>

namespace airmotor::core {

// "PERFORM. AT <pressure> bar(e):" heading of the detail panel (pressure in display units).
std::string PerformanceHeading(const LanguageState& language, float sngTillgLuftTryck);

// Makes catalogue motor k current with the factors of the available pressure (SI values).
void MakeCurrentMotor(CurrentMotor& current, const MotorCatalogue& catalogue, int k,
                      const PressureFactorValues& f);

// The figures, regulation texts and explosion-protection panel of the current motor.
// row is the clicked result row; column the clicked column; cellText its text.
void FillDetailPanel(DetailPanel& panel, const CurrentMotor& current, const MotorCatalogue& catalogue,
                     const ResultRow& row, int column, const std::string& cellText,
                     const PressureFactorValues& f, const LanguageState& language);

// The information message for a bracketed cell: the start torque does not reach the working torque.
// Start torques are shown in the display unit of text 58, like the working torque.
std::string StartTorqueInformation(const MotorCatalogue& catalogue, int k, const ResultRow& row,
                                   float sngArbetsMoment, const LanguageState& language);

} // namespace airmotor::core
