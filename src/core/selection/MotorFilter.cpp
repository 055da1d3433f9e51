#include "core/selection/MotorFilter.h"

#include "core/selection/Designation.h"

namespace airmotor::core {

MotorFilter MotorFilter::From(const OptionStates& options) {
    MotorFilter f;
    f.optRotation = options.optRotation;
    f.intOptSteel = static_cast<std::int16_t>(options.optSteel);
    f.intOptBrake = static_cast<std::int16_t>(options.optBrake);
    f.intTypTKM = options.chkMotortype[0] ? 1 : 0;
    f.intTypTKS = options.chkMotortype[1] ? 1 : 0;
    f.intTypPGW = options.chkMotortype[2] ? 1 : 0;
    f.allSeriesTicked = options.chkMotortype[0] && options.chkMotortype[1] && options.chkMotortype[2];
    f.optLubricatedTKS = options.optLubricatedTKS;
    f.optSteelTKS = options.optSteelTKS;
    f.optTKSRestricted = options.optTKSRestricted;
    return f;
}

bool MotorFilter::PassesTkmOptions(const MotorCatalogue& catalogue, int i) const {
    const auto k = static_cast<std::size_t>(i);
    if (Series(catalogue.strBenamning[k]) != "TKM")
        return true;
    const char* wanted = optRotation == 0 ? "A" : optRotation == 1 ? "V" : "R";
    if (catalogue.txtRotation[k] != wanted)
        return false;
    if (catalogue.bolStainless[k] != (intOptSteel == 1))
        return false;
    return catalogue.bolBrake[k] == (intOptBrake == 1);
}

bool MotorFilter::PassesSeries(const MotorCatalogue& catalogue, int i) const {
    if (allSeriesTicked)
        return true;
    const std::string_view series = Series(catalogue.strBenamning[static_cast<std::size_t>(i)]);
    if (series == "TKM")
        return intTypTKM == 1;
    if (series == "TKS")
        return intTypTKS == 1;
    if (series == "PGW")
        return intTypPGW == 1;
    return true;
}

bool MotorFilter::PassesTksOptions(const MotorCatalogue& catalogue, int i) const {
    const auto k = static_cast<std::size_t>(i);
    if (Series(catalogue.strBenamning[k]) != "TKS")
        return true;
    if (catalogue.bolLubricationFree[k] != (optLubricatedTKS == 1))
        return false;
    return catalogue.bolStainless[k] == (optSteelTKS == 1);
}

bool MotorFilter::DropsUnrestricted(const MotorCatalogue& catalogue, int i) const {
    return optTKSRestricted == 0 && EndsWith(catalogue.strBenamning[static_cast<std::size_t>(i)], "-U");
}

} // namespace airmotor::core
