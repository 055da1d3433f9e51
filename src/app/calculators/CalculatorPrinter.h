#pragma once

#include "core/calculators/CalculatorLayout.h"

class QWidget;

namespace airmotor::app {

// Prints a calculator window and the diagram window's client area on one page, each placed at its
// percentages of the printable page. The window-capture printing implements it.
class CalculatorPrinter {
public:
    virtual ~CalculatorPrinter() = default;
    virtual void printWindowAndDiagram(QWidget& window, const core::PrintPlacement& windowAt,
                                       QWidget& diagramClient, const core::PrintPlacement& diagramAt) = 0;
};

} // namespace airmotor::app
