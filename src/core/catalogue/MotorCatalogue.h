#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace airmotor::core {

// Catalogue indexes run 1..intAntalMotorer (at most 980); element 0 is never filled.
inline constexpr int kMaxMotors = 980;
inline constexpr int kCatalogueSize = kMaxMotors + 1;
// Coefficients 0..5 fit the arrays; the load fills 0..4.
inline constexpr int kCoefficientRows = 6;

// Parallel arrays named after the database fields. Kept as arrays (not a vector of records)
// because every rule of the program addresses "field[i]" by catalogue index.
struct MotorCatalogue {
    MotorCatalogue();

    std::int16_t intAntalMotorer = 0;

    std::vector<std::int16_t> intSokindex;
    std::vector<std::string> strBenamning;
    std::vector<std::string> strDetaljnr1;
    std::vector<std::string> strDetaljnr2;
    std::vector<std::string> strDetaljnr3;
    std::vector<std::string> txtRotation; // exactly one character once loaded
    std::vector<bool> bolLubricationFree;
    std::vector<bool> bolStainless;
    std::vector<bool> bolBrake;
    std::vector<float> sngTomgVarvtal;      // free speed, r/min at 6.3 bar
    std::vector<float> sngLuftforbrTomgang; // air consumption at free speed, l/s
    std::vector<float> sngMaxEffekt;        // kW
    std::vector<float> sngMomentMaxeff;     // Nm
    std::vector<float> sngLuftMaxeff;       // l/s
    std::vector<float> sngVarvMaxeff;       // r/min
    std::vector<float> sngStallmoment;      // copy of coefficient 0 of the torque polynomial
    std::vector<float> sngMinStartMoment;   // Nm
    std::vector<float> sngPris;
    std::vector<std::string> strMattskiss;
    std::vector<float> sngUtvaxling; // gear ratio, 1 = no gear
    std::vector<float> sngVikt;      // kg
    std::vector<float> intGradtal_M; // whole number held as single, as the legacy catalogue does
    std::vector<float> intGradtal_L;
    // Element [k * kCatalogueSize + i] is coefficient k of motor i.
    std::vector<float> sngC_M;
    std::vector<float> sngC_L;
    std::vector<bool> bolOldMotor;
    std::vector<float> sngMin_VarvDiagram;        // <= 0: not given
    std::vector<std::int16_t> sngMax_VarvDiagram; // < 1: not given

    float& cM(int k, int i) { return sngC_M[static_cast<std::size_t>(k * kCatalogueSize + i)]; }
    float cM(int k, int i) const { return sngC_M[static_cast<std::size_t>(k * kCatalogueSize + i)]; }
    float& cL(int k, int i) { return sngC_L[static_cast<std::size_t>(k * kCatalogueSize + i)]; }
    float cL(int k, int i) const { return sngC_L[static_cast<std::size_t>(k * kCatalogueSize + i)]; }
};

} // namespace airmotor::core
