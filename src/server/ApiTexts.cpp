#include "server/ApiTexts.h"

#include "cli/CalculatorCommands.h"
#include "cli/Json.h"
#include "core/calculators/CalculatorLayout.h"
#include "core/common/Keys.h"

#include <array>
#include <sstream>
#include <string_view>
#include <utility>

namespace airmotor::server {
namespace {

// English name on the page, text key.
constexpr std::pair<std::string_view, int> kLabels[] = {
    {"motorType", 77},
    {"list", 78},
    {"newSearch", 80},
    {"search", 226},
    {"workingPoint", 83},
    {"torque", 84},
    {"speed", 85},
    {"power", 86},
    {"startTorque", 87},
    {"freeMin", 88},
    {"freeMax", 89},
    {"stallMin", 90},
    {"stallMax", 91},
    {"pressure", 92},
    {"currentMotor", 93},
    {"maxPowerPoint", 95},
    {"torqueAtMaxPower", 96},
    {"speedAtMaxPower", 97},
    {"maxPower", 98},
    {"airAtMaxPower", 99},
    {"minStartTorque", 100},
    {"freeSpeed", 101},
    {"stallTorque", 102},
    {"weight", 103},
    {"workingPressure", 106},
    {"throttledFreeSpeed", 107},
    {"diagramOptions", 119},
    {"clockwise", 125},
    {"counterClockwise", 126},
    {"reversible", 127},
    {"lubricated", 128},
    {"lubeFree", 129},
    {"compare", 239},
    {"wagon", 170},
    {"rotatingMass", 176},
    {"close", 112},
    {"language", core::TextKey::WebLanguage},
    {"results", core::TextKey::WebResults},
    {"diagram", core::TextKey::WebDiagram},
    {"drawing", core::TextKey::WebDrawing},
    {"datasheet", core::TextKey::WebDataSheet},
    {"modeDirect", core::TextKey::WebModeDirect},
    {"modeThrottled", core::TextKey::WebModeThrottled},
    {"modeReducedPressure", core::TextKey::WebModeReduced},
    {"calculate", core::TextKey::WebCalculate},
    {"noMotor", core::TextKey::WebNoMotor},
    {"compareHint", core::TextKey::WebCompareHint},
    {"shareLink", core::TextKey::WebShareLink},
    {"unreachable", core::TextKey::WebUnreachable},
    {"rotation", core::TextKey::WebRotation},
    {"lubrication", core::TextKey::WebLubrication},
    {"notANumber", core::TextKey::NotANumber},
};

// The Options menu's items of the six settings, in the order of kLanguageNames.
constexpr std::array<int, 6> kLanguageMenuKeys = {67, 70, 68, 69, 137, 145};

// A menu text without its accelerator mark ("&Deutsch" -> "Deutsch").
std::string WithoutAccelerator(const std::string& text) {
    std::string plain;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '&' && k + 1 < text.size()) {
            plain.push_back(text[++k]);
            continue;
        }
        plain.push_back(text[k]);
    }
    return plain;
}

// Each calculator's inputs and results by the API's names, captioned as the window captions the boxes
// (with their units, which are SI in every language, as the API's numbers are).
void WriteCalculatorCaptions(cli::JsonWriter& json, const core::TextTable& strText) {
    json.key("calculators").beginObject();
    for (const bool wagon : {true, false}) {
        const core::CalculatorLayout& layout = wagon ? core::WagonLayout() : core::RotatingMassLayout();
        json.key(wagon ? "wagon" : "rotatingMass").beginObject();
        for (const auto& [name, box] : cli::CalculatorInputs(wagon))
            json.field(name, core::BoxCaption(layout, box, strText));
        const auto& results = cli::CalculatorResults(wagon);
        for (std::size_t k = 0; k < results.size(); ++k) // one name per result box, as the CLI answers
            json.field(results[k], core::BoxCaption(layout, layout.resultBoxes.at(k), strText));
        json.endObject();
    }
    json.endObject();
}

} // namespace

QByteArray PageTexts(const core::LanguageState& language, const std::string& languageName) {
    std::ostringstream out;
    cli::JsonWriter json(out);
    json.beginObject().field("language", languageName);
    json.key("languages").beginArray();
    for (std::size_t k = 0; k < core::kLanguageNames.size(); ++k)
        json.beginObject()
            .field("id", core::kLanguageNames[k])
            .field("name", WithoutAccelerator(language.strText(kLanguageMenuKeys[k])))
            .endObject();
    json.endArray();
    json.key("labels").beginObject();
    for (const auto& [name, key] : kLabels)
        json.field(name, language.strText(key));
    json.endObject();
    WriteCalculatorCaptions(json, language.strText);
    json.endObject();
    json.finish();
    const std::string text = out.str();
    return {text.data(), static_cast<qsizetype>(text.size())};
}

} // namespace airmotor::server
