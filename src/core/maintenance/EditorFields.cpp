#include "core/maintenance/EditorFields.h"

#include "core/format/NumberFormat.h"

namespace airmotor::core {
namespace {

using F = EditorField;
constexpr float kAny = 99999.0f;
constexpr float kGear = 9999.0f;
constexpr float kTarget = 100000.0f;
constexpr float kSmallest = 0.1f; // increments and maxima of the diagram scaling
constexpr float kIndexMax = 32767.0f;

constexpr std::array<EditorFieldRule, kEditorFieldCount> kRules{{
    {F::RelativprisB, "RelativprisB", 0, 0, kAny, ""},
    {F::StallmomentB, "StallmomentB", 0, 0, kAny, ""},
    {F::Min_StartMomentB, "Min_StartMomentB", 0, 0, kAny, ""},
    {F::UtvB, "UtvB", 1, 0, kGear, "1"},
    {F::UtvRefMatningB, "UtvRefMätningB", 1, 1, kGear, "1"},
    {F::VerkningsgradB, "VerkningsgradB", 100, 0, kGear, "100"},
    {F::D1B, "D1B", 0, 0, kGear, ""},
    {F::MxB, "MxB", 0, 0, kGear, ""},
    {F::Z1B, "Z1B", 0, 0, kGear, ""},
    {F::PressvB, "PressvB", 0, 0, kGear, ""},
    {F::SxB, "SxB", 0, 0, kGear, ""},
    {F::Sy1B, "Sy1B", 0, 0, kGear, ""},
    {F::Sy2B, "Sy2B", 0, 0, kGear, ""},
    {F::KnB, "KnB", 1, 0, kGear, "1"},
    {F::KmB, "KmB", 1, 0, kGear, "1"},
    {F::KlB, "KlB", 1, 0, kGear, "1"},
    {F::GradtalB, "GradtalB", 3, 1, 5, "3"},
    {F::GradtalfB, "GradtalfB", 3, 1, 5, "3"},
    {F::txtMeasured_0, "txtMeasured_0", 0, 0, kTarget, ""},
    {F::txtMeasured_1, "txtMeasured_1", 0, 0, kTarget, ""},
    {F::txtMeasured_2, "txtMeasured_2", 0, 0, kTarget, ""},
    {F::txtMeasured_3, "txtMeasured_3", 0, 0, kTarget, ""},
    {F::txtStartVarvtalKurvor, "txtStartVarvtalKurvor", 0, 0, kAny, ""},
    {F::txtMaxVarvtalKurvor, "txtMaxVarvtalKurvor", 0, 0, kAny, ""},
    {F::txtKatalogIndex_0, "txtKatalogIndex_0", 0, 0, kIndexMax, ""},
    {F::txtKatalogIndex_1, "txtKatalogIndex_1", 0, 0, kIndexMax, ""},
    {F::VmaxB, "VmaxB", 1200, kSmallest, kAny, "1200"},
    {F::VincB, "VincB", 200, kSmallest, kAny, "200"},
    {F::VrutincB, "VrutincB", 200, kSmallest, kAny, "200"},
    {F::VutmaxB, "VutmaxB", 1200, kSmallest, kAny, "1200"},
    {F::NmmaxB, "NmmaxB", 70, kSmallest, kAny, "70"},
    {F::NmincB, "NmincB", 10, kSmallest, kAny, "10"},
    {F::NmrutincB, "NmrutincB", 10, kSmallest, kAny, "10"},
    {F::NmutmaxB, "NmutmaxB", 50, kSmallest, kAny, "50"},
    {F::NmdecB, "NmdecB", 0, 0, 4, "0"},
    {F::KwmaxB, "KwmaxB", 1.4f, kSmallest, kAny, "1.4"},
    {F::KwincB, "KwincB", 0.2f, kSmallest, kAny, "0.2"},
    {F::KwutmaxB, "KwutmaxB", 1.4f, kSmallest, kAny, "1.4"},
    {F::KwdecB, "KwdecB", 1, 0, 4, "1"},
    {F::LsmaxB, "LsmaxB", 70, kSmallest, kAny, "70"},
    {F::LsincB, "LsincB", 10, kSmallest, kAny, "10"},
    {F::LsutmaxB, "LsutmaxB", 50, kSmallest, kAny, "50"},
    {F::QkalB, "QkalB", 1, kSmallest, kAny, "1"},
}};

constexpr bool InFieldOrder() {
    for (std::size_t i = 0; i < kRules.size(); ++i)
        if (static_cast<std::size_t>(kRules[i].field) != i)
            return false;
    return true;
}
static_assert(InFieldOrder(), "one entry per field, in the order of EditorField");

} // namespace

const EditorFieldRule& RuleOf(EditorField field) {
    return kRules[static_cast<std::size_t>(field)];
}

std::string BoxText(float value) {
    std::string text = StrSingle(value);
    if (!text.empty() && text.front() == ' ')
        text.erase(0, 1);
    return text;
}

EditorFields::EditorFields() {
    for (const EditorFieldRule& rule : kRules)
        type(rule.field, std::string(rule.openingText));
}

void EditorFields::type(EditorField field, const std::string& text) {
    const EditorFieldRule& rule = RuleOf(field);
    NumericTextBox& box = boxes_[index(field)];
    box.text = text;
    values_[index(field)] =
        static_cast<float>(ValidateNumericField(box, rule.defaultValue, rule.lower, rule.upper));
}

void EditorFields::show(EditorField field, float value) {
    type(field, BoxText(value));
}

} // namespace airmotor::core
