#include "core/maintenance/MotorRecord.h"

#include "core/format/Utf8.h"
#include "core/maintenance/MotorDataEditor.h"

#include <algorithm>
#include <cmath>

namespace airmotor::core {
namespace {

using F = EditorField;

constexpr int kStoredDegree = 4;    // the table holds C0..C4
constexpr int kOmittedC4Degree = 3; // a cubic stores C4 as 0
constexpr std::int64_t kFalse = 0;  // database booleans: -1 true, 0 false
const char* const kNoDrawingText = "Inga ritade kurvor att spara: rita diagrammet först.";

std::string CoefficientName(char curve, int k) {
    return std::string("sngC") + static_cast<char>('0' + k) + "_" + curve;
}

void AddCurve(MotorRecord& r, char curve, int degree, const std::vector<float>& c) {
    r.fields.emplace_back(std::string("intGradtal_") + curve, std::int64_t{degree});
    for (int k = 0; k <= kStoredDegree; ++k) {
        const bool stored =
            k < static_cast<int>(c.size()) && !(k == kStoredDegree && degree == kOmittedC4Degree);
        r.fields.emplace_back(CoefficientName(curve, k),
                              stored ? static_cast<double>(c[static_cast<std::size_t>(k)]) : 0.0);
    }
}

bool AllFinite(const MotorRecord& r) {
    for (const auto& [name, value] : r.fields)
        if (const double* d = std::get_if<double>(&value); d && !std::isfinite(*d))
            return false;
    return true;
}

// Why a text cannot go into its catalogue field, or "".
std::string TextProblem(const char* field, const std::string& text) {
    if (!IsValidUtf8(text))
        return std::string("Fältet ") + field + " är inte UTF-8-text; inget sparas.";
    if (CodePointCount(text) > kMaxCatalogueText)
        return std::string("Fältet ") + field + " är längre än de " + std::to_string(kMaxCatalogueText) +
               " tecken katalogen rymmer; inget sparas.";
    return {};
}

float Single(const MotorRecord& r, const std::string& name) {
    const FieldValue* v = r.find(name);
    if (v == nullptr)
        return 0.0f;
    if (const double* d = std::get_if<double>(v))
        return static_cast<float>(*d);
    if (const std::int64_t* i = std::get_if<std::int64_t>(v))
        return static_cast<float>(*i);
    return 0.0f;
}

} // namespace

const FieldValue* MotorRecord::find(const std::string& name) const {
    for (const auto& [n, v] : fields)
        if (n == name)
            return &v;
    return nullptr;
}

std::variant<MotorRecord, std::string> BuildMotorRecord(const MotorDataEditor& editor, SaveMode mode) {
    if (!editor.figures())
        return std::string(kNoDrawingText);
    const CurveFits& fits = editor.fits();
    if (fits.degreeM > kStoredDegree || fits.degreeL > kStoredDegree)
        return std::string("Gradtal 5 kan inte sparas i databasen (högst 4: C0-C4).");
    // Too few points leave the fitted coefficients all zero: such curves would replace a motor by nothing.
    if (editor.converted().n < std::max(fits.degreeM, fits.degreeL) + 2)
        return std::string("För få mätpunkter för kurvornas gradtal (minst gradtal + 2); inget sparas.");
    const CurveFigures& f = *editor.figures();
    // All-zero readings fit curves that run nowhere: a motor without free speed or power is no motor.
    if (!(f.freeSpeed > 0.0f) || !(f.maxPower > 0.0f))
        return std::string("Kurvorna ger inget tomgångsvarvtal eller ingen effekt över noll (är mätvärdena "
                           "noll?); inget sparas.");
    const EditorFields& fields = editor.fields();
    const EditorTexts& texts = editor.texts();
    const bool add = mode == SaveMode::Add;
    // A replace finds its row by the designation; an add stores every text.
    std::vector<std::pair<const char*, const std::string*>> stored = {{"strBenamning", &texts.designation}};
    if (add)
        stored.insert(stored.end(), {{"strDetaljnr1", &texts.partNumbers[0]},
                                     {"strDetaljnr2", &texts.partNumbers[1]},
                                     {"strDetaljnr3", &texts.partNumbers[2]},
                                     {"strMattskiss", &texts.drawing}});
    for (const auto& [field, text] : stored)
        if (std::string problem = TextProblem(field, *text); !problem.empty())
            return problem;
    MotorRecord r;
    r.mode = mode;
    auto number = [&](const char* name, float value) {
        r.fields.emplace_back(name, static_cast<double>(value));
    };
    if (add) {
        r.fields.emplace_back("intSokindex", std::int64_t{0});
        r.fields.emplace_back("strBenamning", texts.designation);
        r.fields.emplace_back("strDetaljnr1", texts.partNumbers[0]);
        r.fields.emplace_back("strDetaljnr2", texts.partNumbers[1]);
        r.fields.emplace_back("strDetaljnr3", texts.partNumbers[2]);
        r.fields.emplace_back("txtRotation", std::string("A"));
        for (const char* flag : {"bolLubricationFree", "bolStainless", "bolBrake"})
            r.fields.emplace_back(flag, kFalse);
    }
    number("sngTomgVarvtal", f.freeSpeed);
    number("sngLuftforbrTomgang", f.airAtFreeSpeed);
    number("sngMaxEffekt", f.maxPower);
    number("sngMomentMaxeff", f.torqueAtMaxPower);
    number("sngLuftMaxeff", f.airAtMaxPower);
    number("sngVarvMaxeff", f.speedAtMaxPower);
    if (add) {
        number("sngMinStartMoment", fields.value(F::Min_StartMomentB));
        number("sngPris", fields.value(F::RelativprisB));
        r.fields.emplace_back("strMattskiss", texts.drawing.empty() ? std::string("?") : texts.drawing);
        r.fields.emplace_back("intGearsteps", std::int64_t{0});
    }
    number("sngUtvaxling", fields.value(F::UtvB));
    if (add)
        number("sngVikt", 0.0f);
    AddCurve(r, 'M', fits.degreeM, fits.torque);
    AddCurve(r, 'L', fits.degreeL, fits.air);
    if (add) {
        // Not in the editor's list, but a new motor is current: left empty the load could drop it.
        r.fields.emplace_back("bolOldMotor", kFalse);
        r.fields.emplace_back("bolVeryOld", kFalse);
        number("sngMin_VarvDiagram", fields.value(F::txtStartVarvtalKurvor));
        number("sngMax_VarvDiagram", fields.value(F::txtMaxVarvtalKurvor));
    }
    if (!AllFinite(r))
        return std::string("Kurvorna innehåller ogiltiga värden och sparas inte i databasen.");
    return r;
}

const std::vector<std::string>& CurveFieldNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const char curve : {'M', 'L'}) {
            list.push_back(std::string("intGradtal_") + curve);
            for (int k = 0; k <= kStoredDegree; ++k)
                list.push_back(CoefficientName(curve, k));
        }
        return list;
    }();
    return names;
}

int FindDesignation(const MotorCatalogue& catalogue, const std::string& designation) {
    for (int i = 1; i <= catalogue.intAntalMotorer; ++i)
        if (catalogue.strBenamning[static_cast<std::size_t>(i)] == designation)
            return i;
    return 0;
}

void ApplyToCatalogue(const MotorRecord& r, MotorCatalogue& c, int i) {
    const auto k = static_cast<std::size_t>(i);
    c.sngTomgVarvtal[k] = Single(r, "sngTomgVarvtal");
    c.sngLuftforbrTomgang[k] = Single(r, "sngLuftforbrTomgang");
    c.sngMaxEffekt[k] = Single(r, "sngMaxEffekt");
    c.sngMomentMaxeff[k] = Single(r, "sngMomentMaxeff");
    c.sngLuftMaxeff[k] = Single(r, "sngLuftMaxeff");
    c.sngVarvMaxeff[k] = Single(r, "sngVarvMaxeff");
    c.sngUtvaxling[k] = Single(r, "sngUtvaxling");
    c.intGradtal_M[k] = Single(r, "intGradtal_M");
    c.intGradtal_L[k] = Single(r, "intGradtal_L");
    for (int n = 0; n <= kStoredDegree; ++n) {
        c.cM(n, i) = Single(r, CoefficientName('M', n));
        c.cL(n, i) = Single(r, CoefficientName('L', n));
    }
    // The load keeps the stall torque as a copy of coefficient 0; so does a replace.
    c.sngStallmoment[k] = c.cM(0, i);
}

} // namespace airmotor::core
