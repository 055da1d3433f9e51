#pragma once

#include "core/language/Language.h"

#include <string>
#include <string_view>
#include <vector>

namespace airmotor::core {

enum class CalculatorKind { Wagon, RotatingMass };

// One input box: Text1 index, accepted range and the text it starts with.
struct CalculatorField {
    int box = 0;
    float lower = 0.0f;
    float upper = 0.0f;
    std::string_view initial;
};

// Where a picture goes on the printed page: percentages of the printable page (left, top, size)
// and the orientation (1 portrait, 0 unchanged).
struct PrintPlacement {
    int left = 0, top = 0, size = 0, orientation = 0;
};

// What tells the two calculator windows apart; everything else they share.
struct CalculatorLayout {
    CalculatorKind kind = CalculatorKind::Wagon;
    std::string_view windowName;
    std::vector<CalculatorField> inputs; // without the motor boxes
    std::vector<int> resultBoxes;        // emptied together
    int diagramTitleKey = 0;
    int accelerationTitleKey = 0, velocityTitleKey = 0, distanceTitleKey = 0;
    PrintPlacement windowPrint, diagramPrint;
};

// Text1 indexes shared by both windows.
inline constexpr int kTimeBox = 7;
inline constexpr int kMotorTypeBox = 13;
inline constexpr int kStallTorqueBox = 14, kStartTorqueBox = 15, kFreeSpeedBox = 16;
inline constexpr int kBoxCount = 17;

// The label Label1(n) beside box Text1(box): 0..7 alike; further down one number is skipped
// (Label1 8 is the result heading) and another before the motor data (Label1 15, its heading).
int LabelOfBox(int box);

// A box label as a caption elsewhere (an axis, a message): without its trailing dot leader.
std::string WithoutDotLeader(std::string label);

// The caption beside box Text1(box) of the layout's window, as the window shows it in the language
// of `strText`, without its dot leader; empty for a box that has none.
std::string BoxCaption(const CalculatorLayout& layout, int box, const TextTable& strText);
inline constexpr float kMotorFieldUpper = 999999.0f;

const CalculatorLayout& WagonLayout();
const CalculatorLayout& RotatingMassLayout();

} // namespace airmotor::core
