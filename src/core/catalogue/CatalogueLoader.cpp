#include "core/catalogue/CatalogueLoader.h"

#include "core/format/Utf8.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace airmotor::core {
namespace {

// printf's "%.*g" that no locale can change: a stored 1.5 reads "1.5" on a decimal-comma desktop too.
std::string GeneralText(double value, int precision) {
    char buffer[64];
    const auto r =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    return std::string(buffer, r.ptr);
}

// Thrown inside the load only; turned into a LoadError at the boundary so that no partly
// filled catalogue can ever reach the caller.
struct FieldProblem {
    std::string field;
    std::string problem;
};

const char* TypeName(const FieldValue& value) {
    if (std::holds_alternative<std::int64_t>(value))
        return "a whole number";
    if (std::holds_alternative<double>(value))
        return "a number";
    return "a text";
}

std::string KeyText(const MotorRow& row) {
    const auto* key = row.find("intKatalogindex");
    if (key == nullptr || !key->has_value())
        return "?";
    const FieldValue& v = **key;
    if (const auto* i = std::get_if<std::int64_t>(&v))
        return std::to_string(*i);
    if (const auto* d = std::get_if<double>(&v)) {
        return GeneralText(*d, 6);
    }
    return "\"" + std::get<std::string>(v) + "\"";
}

class RowReader final {
public:
    explicit RowReader(const MotorRow& row) : row_(row) {}

    // Only the four text fields of the catalogue have a Null test; everywhere else a Null is fatal.
    const std::optional<FieldValue>& raw(const std::string& name) const {
        const auto* v = row_.find(name);
        if (v == nullptr)
            throw FieldProblem{name, "is missing from the table"};
        return *v;
    }

    const FieldValue& notNull(const std::string& name) const {
        const auto& v = raw(name);
        if (!v.has_value())
            throw FieldProblem{name, "is Null"};
        return *v;
    }

    double number(const std::string& name) const {
        const FieldValue& v = notNull(name);
        if (const auto* i = std::get_if<std::int64_t>(&v))
            return static_cast<double>(*i);
        if (const auto* d = std::get_if<double>(&v))
            return *d;
        throw FieldProblem{name, std::string("holds ") + TypeName(v) + " where a number is expected"};
    }

    float single(const std::string& name) const {
        const double d = number(name);
        if (!std::isfinite(d))
            throw FieldProblem{name, "is not a finite number"};
        if (std::fabs(d) > static_cast<double>(std::numeric_limits<float>::max()))
            throw FieldProblem{name, "is too large for a single-precision number"};
        return static_cast<float>(d);
    }

    // 16-bit conversion of a numeric value: whole numbers pass, fractions round half to even
    // (the conversion the legacy integer fields used); anything outside -32768..32767 is an error.
    std::int16_t int16(const std::string& name, double value) const {
        if (!std::isfinite(value))
            throw FieldProblem{name, "is not a finite number"};
        const double r = std::nearbyint(value); // default rounding mode: to nearest, ties to even
        if (r < std::numeric_limits<std::int16_t>::min() || r > std::numeric_limits<std::int16_t>::max())
            throw FieldProblem{name, "is outside the 16-bit range -32768..32767"};
        return static_cast<std::int16_t>(r);
    }

    bool boolean(const std::string& name) const {
        const FieldValue& v = notNull(name);
        if (const auto* i = std::get_if<std::int64_t>(&v))
            return *i != 0;
        if (const auto* d = std::get_if<double>(&v))
            return *d != 0.0;
        throw FieldProblem{name, "holds a text where a boolean (0 or not 0) is expected"};
    }

    std::string text(const std::string& name) const { return ToText(notNull(name), name); }

    // Null leaves the catalogue element as it was (empty).
    std::optional<std::string> nullableText(const std::string& name) const {
        const auto& v = raw(name);
        if (!v.has_value())
            return std::nullopt;
        return ToText(*v, name);
    }

private:
    std::string ToText(const FieldValue& v, const std::string& name) const {
        if (const auto* s = std::get_if<std::string>(&v)) {
            // A text goes out unchanged into JSON and windows: invalid bytes are refused here.
            if (!IsValidUtf8(*s))
                throw FieldProblem{name, "is not valid UTF-8 text"};
            return *s;
        }
        if (const auto* i = std::get_if<std::int64_t>(&v))
            return std::to_string(*i);
        return GeneralText(std::get<double>(v), 15);
    }

    const MotorRow& row_;
};

// The rotation code is a fixed one-character text: the first character (a whole UTF-8 sequence),
// padded with a blank when the field is empty.
std::string FirstCharacter(const std::string& text) {
    if (text.empty())
        return " ";
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    if (lead >= 0xF0)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC0)
        length = 2;
    if (length > text.size())
        length = 1;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[k]) & 0xC0) != 0x80)
            return text.substr(0, 1);
    return text.substr(0, length);
}

float Degree(const RowReader& r, const std::string& name) {
    const float g = r.single(name);
    // The coefficient arrays hold rows 0..5; a larger or fractional degree would make every
    // curve evaluation read outside the motor's coefficients.
    if (g < 0.0f || g > static_cast<float>(kCoefficientRows - 1) || g != std::floor(g))
        throw FieldProblem{name, "is not a whole number between 0 and 5"};
    return g;
}

void ReadMotor(const RowReader& r, int c, int skipped, MotorCatalogue& cat) {
    cat.intSokindex[c] = r.int16("intSokindex", r.number("intSokindex") - skipped);
    cat.strBenamning[c] = r.text("strBenamning");
    if (auto v = r.nullableText("strDetaljnr1"))
        cat.strDetaljnr1[c] = *v;
    if (auto v = r.nullableText("strDetaljnr2"))
        cat.strDetaljnr2[c] = *v;
    if (auto v = r.nullableText("strDetaljnr3"))
        cat.strDetaljnr3[c] = *v;
    if (auto v = r.nullableText("txtRotation"))
        cat.txtRotation[c] = FirstCharacter(*v);
    cat.bolLubricationFree[c] = r.boolean("bolLubricationFree");
    cat.bolStainless[c] = r.boolean("bolStainless");
    cat.bolBrake[c] = r.boolean("bolBrake");
    cat.sngTomgVarvtal[c] = r.single("sngTomgVarvtal");
    cat.sngLuftforbrTomgang[c] = r.single("sngLuftforbrTomgang");
    cat.sngMaxEffekt[c] = r.single("sngMaxEffekt");
    cat.sngMomentMaxeff[c] = r.single("sngMomentMaxeff");
    cat.sngLuftMaxeff[c] = r.single("sngLuftMaxeff");
    cat.sngVarvMaxeff[c] = r.single("sngVarvMaxeff");
    cat.sngStallmoment[c] = r.single("sngC0_M");
    cat.sngMinStartMoment[c] = r.single("sngMinStartMoment");
    cat.sngPris[c] = r.single("sngPris");
    cat.strMattskiss[c] = r.text("strMattskiss");
    cat.sngUtvaxling[c] = r.single("sngUtvaxling");
    cat.sngVikt[c] = r.single("sngVikt");
    cat.intGradtal_M[c] = Degree(r, "intGradtal_M");
    for (int k = 0; k <= 4; ++k)
        cat.cM(k, c) = r.single("sngC" + std::to_string(k) + "_M");
    cat.intGradtal_L[c] = Degree(r, "intGradtal_L");
    for (int k = 0; k <= 4; ++k)
        cat.cL(k, c) = r.single("sngC" + std::to_string(k) + "_L");
    cat.bolOldMotor[c] = r.boolean("bolOldMotor");
    cat.sngMin_VarvDiagram[c] = r.single("sngMin_VarvDiagram");
    // The field is single precision in the catalogue's own terms: round the single value.
    cat.sngMax_VarvDiagram[c] =
        r.int16("sngMax_VarvDiagram", static_cast<double>(r.single("sngMax_VarvDiagram")));
}

// The key of every row is a whole number and no key appears twice (rows are sorted by key).
std::optional<LoadError> CheckKeys(const std::vector<MotorRow>& rows, const std::string& sourceName) {
    const auto fail = [&](std::size_t r, const std::string& problem) {
        const std::string detail = "intKatalogindex " + problem;
        return LoadError{sourceName + ": table tblMotordata, row " + std::to_string(r + 1) + ": " + detail, r,
                         detail, "intKatalogindex", problem};
    };
    std::optional<std::int64_t> previous;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto* key = rows[r].find("intKatalogindex");
        if (key == nullptr)
            continue; // reported as a missing column by the row checks
        if (!key->has_value())
            return fail(r, "is Null");
        std::optional<std::int64_t> whole;
        if (const auto* i = std::get_if<std::int64_t>(&**key))
            whole = *i;
        else if (const auto* d = std::get_if<double>(&**key);
                 d && *d == std::trunc(*d) && std::fabs(*d) < 1e15)
            whole = static_cast<std::int64_t>(*d);
        if (!whole)
            return fail(r, KeyText(rows[r]) + " is not a whole number");
        if (previous && *previous == *whole)
            return LoadError{sourceName + ": table tblMotordata, rows " + std::to_string(r) + " and " +
                                 std::to_string(r + 1) + ": intKatalogindex " + std::to_string(*whole) +
                                 " appears twice",
                             r, "intKatalogindex " + std::to_string(*whole) + " appears twice",
                             "intKatalogindex", std::to_string(*whole) + " appears twice"};
        previous = *whole;
    }
    return std::nullopt;
}

} // namespace

std::variant<CatalogueLoadResult, LoadError> LoadCatalogue(const std::vector<MotorRow>& rows,
                                                           const std::string& sourceName) {
    if (auto error = CheckKeys(rows, sourceName))
        return *error;
    CatalogueLoadResult result;
    MotorCatalogue& cat = result.catalogue;
    int kept = 0;
    int skipped = 0;
    int leftOut = 0;
    for (std::size_t position = 0; position < rows.size(); ++position) {
        const MotorRow& row = rows[position];
        const RowReader r(row);
        try {
            // A missing column is a fault of the table, reported even on rows that are skipped.
            for (const std::string& column : MotorTableColumns())
                r.raw(column);
            if (r.boolean("bolVeryOld")) {
                ++skipped;
                continue;
            }
            if (kept == kMaxMotors) {
                ++leftOut;
                continue;
            }
            ReadMotor(r, kept + 1, skipped, cat);
            ++kept;
        } catch (const FieldProblem& p) {
            const std::string detail = "field " + p.field + " " + p.problem;
            return LoadError{sourceName + ": table tblMotordata, row with intKatalogindex " + KeyText(row) +
                                 ": " + detail,
                             position, detail, p.field, p.problem};
        }
    }
    cat.intAntalMotorer = static_cast<std::int16_t>(kept);
    // The search visits intSokindex[1..n] as catalogue indexes; one that names no motor is a data
    // fault worth telling, though not worth refusing the catalogue for.
    int strays = 0;
    std::string firstStray;
    for (int i = 1; i <= kept; ++i)
        if (cat.intSokindex[i] < 1 || cat.intSokindex[i] > kept) {
            if (strays++ == 0)
                firstStray = cat.strBenamning[i] + " (" + std::to_string(cat.intSokindex[i]) + ")";
        }
    if (strays > 0)
        result.warnings.push_back(
            sourceName + ": table tblMotordata: " + std::to_string(strays) +
            " search indexes (intSokindex less the skipped very old rows) name no motor "
            "1.." +
            std::to_string(kept) + ", first " + firstStray + "; the search passes over them");
    if (leftOut > 0)
        result.warnings.push_back(sourceName + ": table tblMotordata holds " +
                                  std::to_string(kept + leftOut) +
                                  " usable motors but the catalogue holds at most " +
                                  std::to_string(kMaxMotors) + "; " + std::to_string(leftOut) +
                                  " motors after the first " + std::to_string(kMaxMotors) + " were left out");
    return result;
}

} // namespace airmotor::core
