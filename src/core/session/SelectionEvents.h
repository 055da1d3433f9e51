#pragma once

#include "core/selection/RequirementInput.h"

namespace airmotor::core {

// Requests of the selection model to its window. The core never opens a window itself: the desktop
// window implements this interface; tests and the CLI read the counters of SelectionRequests.
class SelectionListener {
public:
    virtual ~SelectionListener() = default;
    // Designation with "5-BG" clicked: open the mounting-position window (modally).
    virtual void OpenMountingPositions() {}
    // Hide the diagram window and the dimension-drawing window.
    virtual void HideDiagramAndDrawing() {}
    // mnuShowAlwaysDiagram is ticked and a motor was made current (intDiagramFlag = 1): show the diagram.
    virtual void ShowDiagram() {}
    // Only-diagram output chosen while mnuShowAlwaysDiagram is ticked: show the diagram window.
    virtual void ShowDiagramWindow() {}
    // The pressure field held the maintenance code: the session left catalogue mode.
    virtual void MaintenanceModeEntered() {}
    // A search fitted no case (message 141): the window may open this help topic.
    virtual void HelpTopicSuggested(int /*topic*/) {}
    // A new current motor: visible calculator windows must drop their results.
    virtual void CalculatorsInvalidated() {}
    // Put the keyboard focus into a requirement field (search view chosen).
    virtual void FocusField(RequirementField /*field*/) {}
    // A key was swallowed by the numeric key filter.
    virtual void Beep() {}
};

// Counters of the same requests (for tests and the CLI).
struct SelectionRequests {
    int openMountingPositions = 0;
    int hideDiagramAndDrawing = 0;
    int showDiagram = 0;
    int showDiagramWindow = 0;
    int maintenanceModeEntered = 0;
    int helpTopicSuggested = 0;
    int lastHelpTopic = 0;
    int calculatorsInvalidated = 0;
    int beeps = 0;
};

} // namespace airmotor::core
