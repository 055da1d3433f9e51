#pragma once

#include "core/diagram/MotorDiagram.h"
#include "core/language/Language.h"
#include "core/session/SelectionSession.h"

namespace airmotor::core {

// The diagram's inputs as the selection session holds them after a row click: the current motor,
// its row's throttle ratio and reduced pressure, the factors at the available pressure
// (recomputed as the diagram command does before drawing), the working point and the language.
MotorDiagramInput DiagramInputFromSession(const SelectionSession& session, const LanguageState& language);

} // namespace airmotor::core
