#pragma once

#include "core/format/NumericTextBox.h"

#include <array>
#include <string>
#include <string_view>

namespace airmotor::core {

// The numeric boxes of the motor data editor, named after their controls.
enum class EditorField {
    RelativprisB,
    StallmomentB,
    Min_StartMomentB,
    UtvB,
    UtvRefMatningB,
    VerkningsgradB,
    D1B,
    MxB,
    Z1B,
    PressvB,
    SxB,
    Sy1B,
    Sy2B,
    KnB,
    KmB,
    KlB,
    GradtalB,
    GradtalfB,
    txtMeasured_0,
    txtMeasured_1,
    txtMeasured_2,
    txtMeasured_3,
    txtStartVarvtalKurvor,
    txtMaxVarvtalKurvor,
    txtKatalogIndex_0,
    txtKatalogIndex_1,
    VmaxB,
    VincB,
    VrutincB,
    VutmaxB,
    NmmaxB,
    NmincB,
    NmrutincB,
    NmutmaxB,
    NmdecB,
    KwmaxB,
    KwincB,
    KwutmaxB,
    KwdecB,
    LsmaxB,
    LsincB,
    LsutmaxB,
    QkalB,
    Count
};
inline constexpr std::size_t kEditorFieldCount = static_cast<std::size_t>(EditorField::Count);

struct EditorFieldRule {
    EditorField field;
    std::string_view objectName; // the control's name ("UtvRefMätningB" with its umlaut)
    float defaultValue;          // restored by "*"
    float lower, upper;
    std::string_view openingText; // what the box holds when the window opens
};

const EditorFieldRule& RuleOf(EditorField field);

// A value as a box shows it: the classic single-to-text conversion without its leading blank.
std::string BoxText(float value);

// Text and value of every numeric box. A box's value is always its text parsed back through the
// shared numeric-field routine, so a value shown in a box carries the box's rounding.
class EditorFields final {
public:
    EditorFields();

    // Typing: the text replaces the box's text ("*" restores the default) and sets the value.
    void type(EditorField field, const std::string& text);
    // A value written by the program (factors of the calibration, refreshed scale factors).
    void show(EditorField field, float value);

    float value(EditorField field) const { return values_[index(field)]; }
    const NumericTextBox& box(EditorField field) const { return boxes_[index(field)]; }

private:
    static std::size_t index(EditorField field) { return static_cast<std::size_t>(field); }

    std::array<NumericTextBox, kEditorFieldCount> boxes_{};
    std::array<float, kEditorFieldCount> values_{};
};

} // namespace airmotor::core
