#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/diagram/MotorDiagram.h"
#include "core/language/Language.h"

#include <string>
#include <variant>

namespace airmotor::core {

class MotorDataEditor;

// The catalogue diagram of the editor's last drawn (fitted, calibrated) motor, as it would show once
// added: the motor is stored at index 1 of `holder`, which must outlive the returned input. A
// message instead when the curves cannot be stored (and so not drawn from a catalogue row).
std::variant<MotorDiagramInput, std::string>
FittedMotorDiagramInput(const MotorDataEditor& editor, const LanguageState& language, MotorCatalogue& holder);

} // namespace airmotor::core
