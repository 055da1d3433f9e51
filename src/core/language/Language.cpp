#include "core/language/Language.h"

#include "core/format/CsvReader.h"
#include "core/format/NumberParsing.h"
#include "core/format/Utf8.h"

#include <map>
#include <set>
#include <stdexcept>
#include <utility>

namespace airmotor::core {

namespace bundled {
extern const std::string_view kTextsCsv;
extern const std::string_view kImperialCsv;
} // namespace bundled

namespace {

// The records of a bundled table after its header: the key, then the text fields (Null as nullopt).
// The build has checked both files (make-database), so a record that does not parse is skipped.
std::vector<std::pair<std::int64_t, std::vector<std::optional<std::string>>>>
BundledRecords(std::string_view csv) {
    std::vector<std::pair<std::int64_t, std::vector<std::optional<std::string>>>> records;
    auto parsed = ParseCsv(csv);
    auto* all = std::get_if<std::vector<CsvRecord>>(&parsed);
    if (!all)
        return records;
    for (std::size_t r = 1; r < all->size(); ++r) {
        const auto& fields = (*all)[r].fields;
        const std::optional<std::int64_t> key = fields.empty() ? std::nullopt : ParseInt64(fields[0].text);
        if (!key)
            continue;
        std::vector<std::optional<std::string>> texts;
        for (std::size_t f = 1; f < fields.size(); ++f)
            texts.push_back(fields[f].isNull() ? std::nullopt : std::optional<std::string>(fields[f].text));
        records.emplace_back(*key, std::move(texts));
    }
    return records;
}

// Text column of tblLanguage (1-based after the key) chosen by the first six characters of the
// language name, so "English_Imperial" reads the English column.
std::optional<std::size_t> TextColumn(std::string_view language) {
    const std::string_view stem = language.substr(0, 6);
    constexpr std::array<std::string_view, 5> stems = {"Englis", "German", "French", "Italia", "Spanis"};
    for (std::size_t k = 0; k < stems.size(); ++k)
        if (stem == stems[k])
            return k;
    return std::nullopt;
}

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// True when the text ends in a complete UTF-8 sequence of two or more bytes (so a final 0x85 is
// part of a character such as "Å", not a Windows-1252 ellipsis).
bool EndsInMultiByteSequence(const std::string& text) {
    std::size_t n = 0;
    std::size_t k = text.size();
    while (k > 0 && IsContinuation(static_cast<unsigned char>(text[k - 1])) && n < 3) {
        --k;
        ++n;
    }
    if (k == 0 || n == 0)
        return false;
    const auto lead = static_cast<unsigned char>(text[k - 1]);
    const std::size_t expected = lead >= 0xF0 && lead < 0xF8   ? 3
                                 : lead >= 0xE0 && lead < 0xF0 ? 2
                                 : lead >= 0xC0 && lead < 0xE0 ? 1
                                                               : 0;
    return expected == n;
}

std::string WithFullStops(std::string text) {
    static constexpr std::string_view kEllipsis = "\xE2\x80\xA6";
    // Code 133 reaches us as U+2026, as U+0085 when a Windows-1252 text was decoded as Latin-1
    // (what a database engine does with the lone byte), or as that raw byte itself.
    static constexpr std::string_view kLatin1Code133 = "\xC2\x85";
    if (text.size() >= kEllipsis.size() && text.compare(text.size() - 3, 3, kEllipsis) == 0) {
        text.resize(text.size() - 3);
        text += "...";
    } else if (text.size() >= 2 && text.compare(text.size() - 2, 2, kLatin1Code133) == 0) {
        text.resize(text.size() - 2);
        text += "...";
    } else if (!text.empty() && static_cast<unsigned char>(text.back()) == 0x85 &&
               !EndsInMultiByteSequence(text)) {
        text.pop_back();
        text += "...";
    }
    return text;
}

} // namespace

bool IsLanguageName(std::string_view name) {
    for (const auto& known : kLanguageNames)
        if (name == known)
            return true;
    return false;
}

const std::string& TextTable::operator()(int key) const {
    static const std::string kNone;
    if (key < 0 || key >= kTextCount)
        return kNone;
    return strText[static_cast<std::size_t>(key)];
}

void TextTable::set(int key, std::string text) {
    if (key < 0 || key >= kTextCount)
        throw std::out_of_range("text key " + std::to_string(key) + " outside 0.." +
                                std::to_string(kTextCount - 1));
    strText[static_cast<std::size_t>(key)] = std::move(text);
}

UnitFactors UnitFactors::ForImperial(std::int16_t intImperialUnits) {
    UnitFactors f;
    if (intImperialUnits == 1) {
        f.sngUnitMass = 0.453592f;      // lb -> kg
        f.sngUnitTorque = 1.35582f;     // lbf ft -> Nm
        f.sngUnitPower = 0.7457f;       // hp -> kW
        f.sngUnitAir = 0.471947f;       // cfm -> l/s
        f.sngUnitPressure = 0.0689476f; // psi -> bar
    }
    return f;
}

std::optional<TextLoadError> ApplyLanguageTexts(LanguageState& state, const std::vector<LanguageRow>& rows,
                                                const std::vector<ImperialRow>& imperialRows) {
    if (!IsLanguageName(state.strLanguage))
        return TextLoadError{"Illegal language \"" + state.strLanguage + "\""};
    const std::size_t column = *TextColumn(state.strLanguage);
    const bool imperial = state.strLanguage == "English_Imperial";

    // Keys inside the table, none twice (the last would win unnoticed), texts valid UTF-8 once a
    // legacy ellipsis byte is read as full stops.
    auto checkRows = [](const auto& tableRows, const char* table,
                        const auto& textsOf) -> std::optional<TextLoadError> {
        std::map<std::int64_t, std::size_t> seen;
        for (std::size_t r = 0; r < tableRows.size(); ++r) {
            const std::int64_t key = tableRows[r].key;
            const std::string where = std::string("table ") + table + ": text key " + std::to_string(key);
            if (key < 0 || key >= kTextCount)
                return TextLoadError{where + " is outside 0.." + std::to_string(kTextCount - 1)};
            if (const auto [it, fresh] = seen.emplace(key, r); !fresh)
                return TextLoadError{where + " appears twice, in rows " + std::to_string(it->second + 1) +
                                     " and " + std::to_string(r + 1)};
            for (const auto* text : textsOf(tableRows[r]))
                if (text->has_value() && !IsValidUtf8(WithFullStops(**text)))
                    return TextLoadError{where + " (row " + std::to_string(r + 1) +
                                         ") is not valid UTF-8 text"};
        }
        return std::nullopt;
    };
    const auto languageTexts = [](const LanguageRow& row) {
        std::vector<const std::optional<std::string>*> texts;
        for (const auto& t : row.texts)
            texts.push_back(&t);
        return texts;
    };
    const auto imperialTexts = [](const ImperialRow& row) {
        return std::vector<const std::optional<std::string>*>{&row.text};
    };
    if (auto error = checkRows(rows, "tblLanguage", languageTexts))
        return error;
    if (imperial)
        if (auto error = checkRows(imperialRows, "tblImperialUnits", imperialTexts))
            return error;

    // Keys not listed keep the previous language's text: start from the current table.
    TextTable table = state.strText;
    for (const auto& row : rows) {
        const auto& cell = row.texts[column];
        table.set(static_cast<int>(row.key), cell ? WithFullStops(*cell) : std::string());
    }
    if (imperial)
        for (const auto& row : imperialRows)
            table.set(static_cast<int>(row.key), row.text ? WithFullStops(*row.text) : std::string());

    std::set<std::int64_t> listed;
    for (const auto& row : rows)
        listed.insert(row.key);
    std::set<std::int64_t> completed;
    for (const auto& row : BundledLanguageRows())
        if (row.key >= kLegacyTextCount && row.key < kTextCount && !listed.contains(row.key)) {
            const auto& cell = row.texts[column];
            table.set(static_cast<int>(row.key), cell ? WithFullStops(*cell) : std::string());
            completed.insert(row.key);
        }
    if (imperial)
        for (const auto& row : BundledImperialRows())
            if (completed.contains(row.key))
                table.set(static_cast<int>(row.key), row.text ? WithFullStops(*row.text) : std::string());

    state.strText = std::move(table);
    state.intImperialUnits = imperial ? 1 : 0;
    return std::nullopt;
}

const std::vector<LanguageRow>& BundledLanguageRows() {
    static const std::vector<LanguageRow> rows = [] {
        std::vector<LanguageRow> out;
        for (auto& [key, texts] : BundledRecords(bundled::kTextsCsv)) {
            LanguageRow row{key, {}};
            for (std::size_t k = 0; k < row.texts.size() && k < texts.size(); ++k)
                row.texts[k] = std::move(texts[k]);
            out.push_back(std::move(row));
        }
        return out;
    }();
    return rows;
}

const std::vector<ImperialRow>& BundledImperialRows() {
    static const std::vector<ImperialRow> rows = [] {
        std::vector<ImperialRow> out;
        for (auto& [key, texts] : BundledRecords(bundled::kImperialCsv))
            out.push_back({key, texts.empty() ? std::nullopt : std::move(texts[0])});
        return out;
    }();
    return rows;
}

} // namespace airmotor::core
