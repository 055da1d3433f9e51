#include "core/results/CurrentMotorDetails.h"
#include "core/common/Keys.h"

#include "core/format/NumberFormat.h"
#include "core/model/MotorCurves.h"
#include "core/results/ExplosionMarking.h"
#include "core/results/SearchSummary.h"
#include "core/selection/Designation.h"

namespace airmotor::core {

namespace {

// Every figure of the panel is followed by one blank.
std::string Figure(double value, std::string_view mask) {
    return FormatNumber(value, mask) + " ";
}

} // namespace

std::string PerformanceHeading(const LanguageState& language, float sngTillgLuftTryck) {
    return language.strText(TextKey::PerformanceAt) + " " + PressureWithUnit(language, sngTillgLuftTryck) +
           ":";
}

void MakeCurrentMotor(CurrentMotor& c, const MotorCatalogue& cat, int k, const PressureFactorValues& f) {
    const auto i = static_cast<std::size_t>(k);
    c.valid = true;
    c.katalogIndex = k;
    c.sngStallEst = 2 * cat.sngMomentMaxeff[i];
    c.strCurrentBenamning = cat.strBenamning[i];
    c.sngCurrentUtvaxling = cat.sngUtvaxling[i];
    c.sngCurMaxEffekt = f.sngKm * cat.sngMaxEffekt[i] * f.sngKn;
    c.sngCurVarvMaxeff = f.sngKn * cat.sngVarvMaxeff[i];
    c.sngCurMomentMaxeff = f.sngKm * cat.sngMomentMaxeff[i];
    // The air polynomial is read at the scaled speed itself, not at speed / Kn.
    c.sngCurLuftMaxeff = f.sngKl * AirPolynomial(cat, k, f.sngKn * cat.sngVarvMaxeff[i]);
    c.sngCurMinStartMoment = f.sngKm * cat.sngMinStartMoment[i];
    c.sngCurTomgVarv = f.sngKn * cat.sngTomgVarvtal[i];
    c.sngCurStallmoment = f.sngKm * c.sngStallEst;
}

void FillDetailPanel(DetailPanel& panel, const CurrentMotor& c, const MotorCatalogue& cat,
                     const ResultRow& row, int column, const std::string& cellText,
                     const PressureFactorValues& f, const LanguageState& language) {
    const auto i = static_cast<std::size_t>(c.katalogIndex);
    const UnitFactors& u = language.units;
    const TextTable& strText = language.strText;

    panel.MaxeffektR = Figure(c.sngCurMaxEffekt / u.sngUnitPower, "#0.00");
    panel.NMaxeffR = Figure(c.sngCurVarvMaxeff, "####0");
    const float startMoment = c.sngCurMinStartMoment / u.sngUnitTorque;
    const char* torqueMask = startMoment < 10 ? "####0.00" : "####0.0";
    panel.MinStartMomentR = Figure(startMoment, torqueMask);
    panel.StallmomentR = Figure(f.sngKm * c.sngStallEst / u.sngUnitTorque, torqueMask);
    const float weight = cat.sngVikt[i] / u.sngUnitMass;
    panel.lblWeight = Figure(weight, weight >= 10 ? "####0.0" : "####0.00");
    panel.QmR = Figure(c.sngCurLuftMaxeff / u.sngUnitAir, "####0.0");
    panel.RelativprisR = cat.sngPris[i] <= 0 ? std::string() : Figure(cat.sngPris[i], "####0.0");
    const std::string& nr2 = cat.strDetaljnr2[i];
    panel.lblProductNumber =
        std::string(column == 1 && nr2.size() >= 11 ? Right(nr2, 12) : Right(cat.strDetaljnr1[i], 12));
    const float momentMaxeff = c.sngCurMomentMaxeff / u.sngUnitTorque;
    panel.MmaxeffR = Figure(momentMaxeff, momentMaxeff < 1 ? "####0.00" : "####0.0");
    panel.NtomgangR = Figure(c.sngCurTomgVarv, c.sngCurTomgVarv < 100 ? "####0.0" : "####0");

    const std::int16_t maxSpeed = cat.sngMax_VarvDiagram[i];
    if (maxSpeed < 1) {
        panel.Label15 = strText(TextKey::FreeSpeedCaption);
        panel.NtomgangRColour = 10;
    } else {
        panel.Label15 = strText(TextKey::MaxAllowedSpeedCaption);
        panel.NtomgangR = Figure(maxSpeed * f.sngKn, "####0");
        panel.NtomgangRColour = 12;
    }

    if (row.sngRadTryck > 0) {
        panel.ArbetstryckR = Figure(row.sngRadTryck / u.sngUnitPressure, strText(TextKey::PressureMask));
        panel.StrypningR.clear();
    } else {
        panel.ArbetstryckR.clear();
        panel.StrypningR = row.sngRadStrypning > 0
                               ? Figure(row.sngRadStrypning * cat.sngTomgVarvtal[i], "#####")
                               : std::string();
    }
    if (Series(c.strCurrentBenamning) == "PGW")
        panel.NtomgangR = " ";

    // Explosion-protection panel.
    panel.picExVisible[0] = true;
    panel.Label24 = strText(TextKey::ExplosionClass);
    const ExplosionMarkingResult marking =
        ExplosionMarking(c.strCurrentBenamning, c.sngCurrentUtvaxling, cellText);
    panel.lblClass = marking.lblClass;
    if (marking.clearCertificateNumber)
        panel.lblCertificateNumber.clear();
    if (Contains(c.strCurrentBenamning, "5-BG")) {
        panel.lblCertificateNumberVisible = false;
        panel.Label21Visible = false;
        panel.Label22Visible = false;
        panel.picExVisible = {false, false};
        panel.Label24 = strText(TextKey::MountingPosition);
    }
}

std::string StartTorqueInformation(const MotorCatalogue& cat, int k, const ResultRow& row,
                                   float sngArbetsMoment, const LanguageState& language) {
    const auto i = static_cast<std::size_t>(k);
    const TextTable& strText = language.strText;
    const float unit = language.units.sngUnitTorque;
    const float startMoment = cat.sngMinStartMoment[i];
    const double v1 =
        static_cast<double>(startMoment * row.sngRadTryck) / kReferencePressure / static_cast<double>(unit);
    const double v2 = startMoment / unit;
    const double v3 = sngArbetsMoment / unit;
    std::string text = strText(TextKey::StartTorqueOfThisMotor) + " (" + strText(TextKey::AtReducedPressure) +
                       " " + FormatNumber(v1, "##0.00") + " " + strText(TextKey::TorqueUnit);
    if (sngArbetsMoment > startMoment)
        text += " ,  " + strText(TextKey::AtSupplyPressure) + " " + FormatNumber(v2, "##0.00") + " " +
                strText(TextKey::TorqueUnit);
    text += ") " + strText(TextKey::IsLowerThanWorkingTorque) + " (" + FormatNumber(v3, "##0.00") + " " +
            strText(TextKey::TorqueUnit) + ").";
    return text;
}

} // namespace airmotor::core
