#include "core/catalogue/MotorRow.h"

namespace airmotor::core {

const std::vector<std::string>& MotorTableColumns() {
    static const std::vector<std::string> columns = {"intKatalogindex",
                                                     "intSokindex",
                                                     "strBenamning",
                                                     "strDetaljnr1",
                                                     "strDetaljnr2",
                                                     "strDetaljnr3",
                                                     "txtRotation",
                                                     "bolLubricationFree",
                                                     "bolStainless",
                                                     "bolBrake",
                                                     "sngTomgVarvtal",
                                                     "sngLuftforbrTomgang",
                                                     "sngMaxEffekt",
                                                     "sngMomentMaxeff",
                                                     "sngLuftMaxeff",
                                                     "sngVarvMaxeff",
                                                     "sngMinStartMoment",
                                                     "sngPris",
                                                     "strMattskiss",
                                                     "intGearsteps",
                                                     "sngUtvaxling",
                                                     "sngVikt",
                                                     "intGradtal_M",
                                                     "sngC0_M",
                                                     "sngC1_M",
                                                     "sngC2_M",
                                                     "sngC3_M",
                                                     "sngC4_M",
                                                     "intGradtal_L",
                                                     "sngC0_L",
                                                     "sngC1_L",
                                                     "sngC2_L",
                                                     "sngC3_L",
                                                     "sngC4_L",
                                                     "bolOldMotor",
                                                     "bolVeryOld",
                                                     "sngMin_VarvDiagram",
                                                     "sngMax_VarvDiagram"};
    return columns;
}

} // namespace airmotor::core
