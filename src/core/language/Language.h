#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace airmotor::core {

inline constexpr int kTextCount = 446; // keys 0..445
// Catalogues made before the duty analysis, the comparison and their menus end at key 228; the
// keys from here on are optional in a catalogue (see ApplyLanguageTexts).
inline constexpr int kLegacyTextCount = 229;

// The six language settings, in the order of the start list.
inline constexpr std::array<std::string_view, 6> kLanguageNames = {"English", "English_Imperial", "German",
                                                                   "French",  "Italian",          "Spanish"};
bool IsLanguageName(std::string_view name);

class TextTable final {
public:
    const std::string& operator()(int key) const;
    void set(int key, std::string text);
    const std::array<std::string, kTextCount>& all() const { return strText; }

private:
    std::array<std::string, kTextCount> strText{};
};

// SI units per displayed unit: typed value x factor = SI value.
struct UnitFactors {
    float sngUnitMass = 1.0f;
    float sngUnitTorque = 1.0f;
    float sngUnitPower = 1.0f;
    float sngUnitAir = 1.0f;
    float sngUnitPressure = 1.0f;

    static UnitFactors ForImperial(std::int16_t intImperialUnits);
};

// A row of tblLanguage: key and the five text columns (English, German, French, Italian, Spanish).
struct LanguageRow {
    std::int64_t key = 0;
    std::array<std::optional<std::string>, 5> texts;
};
struct ImperialRow {
    std::int64_t key = 0;
    std::optional<std::string> text;
};

// Shared language state: strLanguage, intImperialUnits, the text table and the unit factors.
struct LanguageState {
    std::string strLanguage = "English";
    std::int16_t intImperialUnits = 0;
    TextTable strText;
    UnitFactors units; // follow intImperialUnits only when NyaIndataB runs
};

struct TextLoadError {
    std::string message;
};

// ApplyLanguage steps 2-3 and 6-8 on rows read from the store: keys below kLegacyTextCount not listed
// keep their text. A later key that the catalogue lacks takes the program's own text of the language
// (and its imperial form), so an older catalogue neither leaves it empty nor keeps the previous
// language's text. Returns an error for an unknown language, a key outside the table, a key twice in
// a table or a text that is not valid UTF-8 (nothing is changed then).
std::optional<TextLoadError> ApplyLanguageTexts(LanguageState& state, const std::vector<LanguageRow>& rows,
                                                const std::vector<ImperialRow>& imperialRows);

// The program's own text tables, as data/texts.csv and data/imperial.csv were at build time.
const std::vector<LanguageRow>& BundledLanguageRows();
const std::vector<ImperialRow>& BundledImperialRows();

} // namespace airmotor::core
