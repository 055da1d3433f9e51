#include "core/catalogue/MotorRow.h"

namespace airmotor::core {
namespace {

using T = ColumnType;

// tblMotordata in schema order: the one description the schema, the database build and the
// row mapping of the store are derived from.
constexpr ColumnDef kMotorColumns[] = {
    {"intKatalogindex", T::Integer, true, {}, true},
    {"intSokindex", T::Integer, true},
    {"strBenamning", T::Text, true},
    {"strDetaljnr1", T::Text, false},
    {"strDetaljnr2", T::Text, false},
    {"strDetaljnr3", T::Text, false},
    {"txtRotation", T::Text, false},
    {"bolLubricationFree", T::Integer, true, "0"},
    {"bolStainless", T::Integer, true, "0"},
    {"bolBrake", T::Integer, true, "0"},
    {"sngTomgVarvtal", T::Real, true},
    {"sngLuftforbrTomgang", T::Real, true},
    {"sngMaxEffekt", T::Real, true},
    {"sngMomentMaxeff", T::Real, true},
    {"sngLuftMaxeff", T::Real, true},
    {"sngVarvMaxeff", T::Real, true},
    {"sngMinStartMoment", T::Real, true},
    {"sngPris", T::Real, true, "0"},
    {"strMattskiss", T::Text, true, "'?'"},
    {"intGearsteps", T::Integer, true, "0"},
    {"sngUtvaxling", T::Real, true, "1"},
    {"sngVikt", T::Real, true, "0"},
    {"intGradtal_M", T::Integer, true},
    {"sngC0_M", T::Real, true},
    {"sngC1_M", T::Real, true},
    {"sngC2_M", T::Real, true},
    {"sngC3_M", T::Real, true},
    {"sngC4_M", T::Real, true},
    {"intGradtal_L", T::Integer, true},
    {"sngC0_L", T::Real, true},
    {"sngC1_L", T::Real, true},
    {"sngC2_L", T::Real, true},
    {"sngC3_L", T::Real, true},
    {"sngC4_L", T::Real, true},
    {"bolOldMotor", T::Integer, true, "0"},
    {"bolVeryOld", T::Integer, true, "0"},
    {"sngMin_VarvDiagram", T::Real, true, "0"},
    {"sngMax_VarvDiagram", T::Real, true, "0"},
};

} // namespace

const TableDef& MotorTable() {
    static const TableDef table{"tblMotordata", kMotorColumns};
    return table;
}

const std::vector<std::string>& MotorTableColumns() {
    static const std::vector<std::string> columns = [] {
        std::vector<std::string> names;
        for (const ColumnDef& c : MotorTable().columns)
            names.emplace_back(c.name);
        return names;
    }();
    return columns;
}

} // namespace airmotor::core
