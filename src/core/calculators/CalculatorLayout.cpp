#include "core/calculators/CalculatorLayout.h"

#include "core/session/CaptionKeys.h"

namespace airmotor::core {

const CalculatorLayout& WagonLayout() {
    static const CalculatorLayout layout{CalculatorKind::Wagon,
                                         "frmWagonCalculation",
                                         {{0, 0.0f, 100.0f, "9"},
                                          {1, 0.0f, 1.0f, "0.9"},
                                          {2, 0.0f, 10.0f, "0.1"},
                                          {3, 0.0f, 100.0f, "0"},
                                          {4, 0.0f, 999999.0f, "10"},
                                          {5, 0.0f, 99999.0f, "1"},
                                          {6, 0.0f, 90.0f, "1"},
                                          {7, 0.0f, 999.0f, "6"},
                                          {11, 0.0f, 99999.0f, "80"},
                                          {12, 0.0f, 1.0f, "0.7"}},
                                         {8, 9, 10},
                                         170,
                                         200,
                                         199,
                                         173,
                                         {12, 5, 77, 1},
                                         {12, 57, 80, 0}};
    return layout;
}

const CalculatorLayout& RotatingMassLayout() {
    static const CalculatorLayout layout{CalculatorKind::RotatingMass,
                                         "frmRotatingMass",
                                         {{0, 0.0f, 100.0f, "5"},
                                          {1, 0.0f, 1.0f, "0.9"},
                                          {2, 0.0f, 9999.0f, "0"},
                                          {3, 0.0f, 99999.0f, "0.1"},
                                          {4, 0.0f, 999.0f, "0.1"},
                                          {5, 0.0f, 9999.0f, "0"},
                                          {7, 0.0f, 999.0f, "0.7"}},
                                         {8, 9, 10, 6},
                                         176,
                                         177,
                                         178,
                                         179,
                                         {12, 5, 80, 1},
                                         {12, 56, 80, 0}};
    return layout;
}

int LabelOfBox(int box) {
    if (box <= 7)
        return box;
    if (box <= 13)
        return box + 1;
    return box + 2;
}

std::string WithoutDotLeader(std::string label) {
    while (!label.empty() && (label.back() == '.' || label.back() == ' '))
        label.pop_back();
    return label;
}

std::string BoxCaption(const CalculatorLayout& layout, int box, const TextTable& strText) {
    const std::string control = "Label1_" + std::to_string(LabelOfBox(box));
    for (const CaptionEntry& e : CaptionKeys())
        if (e.window == layout.windowName && e.control == control)
            return WithoutDotLeader(strText(e.key));
    return {};
}

} // namespace airmotor::core
