#pragma once

#include "core/diagram/DrawingReference.h"
#include "core/diagram/MotorDiagram.h"
#include "core/language/Language.h"
#include "core/session/SelectionSession.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace airmotor::core {

// EnbartDiagramB: what one copy of the printout holds.
enum class PrintMode { Complete = 0, DiagramOnly = 1, DrawingOnly = 2 };

// One line of a labelled list: label left, value, unit right. A unit of kSpeedUnit is printed
// as the language's speed unit (with the raised exponent where the language writes one).
struct DataLine {
    std::string label;
    std::string value;
    std::string unit;
    int colour = 0; // palette index of the value
};
inline constexpr std::string_view kSpeedUnit = "\x01speed";

// One row of the key-figure table: a value per column; "" where the column is absent.
struct KeyFigureRow {
    std::string label;
    std::string unit;
    std::array<std::string, 3> values;
    int colour = 0;
};

// Columns of the key-figure table: at the available pressure, throttled, at the reduced pressure.
enum KeyColumn { kAtSupply = 0, kThrottled = 1, kReduced = 2 };

// Everything the printed data block says, in the order it is printed; display units, formatted.
struct DataSheet {
    std::string title;       // text 1
    std::string designation; // current motor
    std::string requirementHeading;
    std::vector<DataLine> requirements; // only what was entered
    std::string motorHeading;
    std::vector<DataLine> motor; // designation, then the ordering numbers in the clicked column's order
    std::string supplyPressure;  // text 17, the available pressure and its unit
    std::array<bool, 3> columns{true, false, false};
    std::array<std::string, 3> columnHeadings;
    std::string reducedPressure; // printed above the reduced-pressure column
    std::vector<KeyFigureRow> keyFigures;
    std::vector<std::string> exLines; // class and certificate, or the mounting-position text
    bool exPicture = false;
    std::array<std::string, 3> notes; // texts 29-31
    std::string dateLine;             // text 27 and the date
};

// The data block of the current motor as the session holds it after a row click. isoDate is the
// printing day, yyyy-mm-dd. Figures are computed at the factors the diagram uses (the current
// designation's family), so table and curves never disagree.
DataSheet BuildDataSheet(const SelectionSession& session, const LanguageState& language,
                         const MotorDiagramInput& diagram, std::string_view isoDate);

// Everything one copy of the printout needs. valid is false without a current motor.
struct PrintoutPlan {
    bool valid = false;
    PrintMode mode = PrintMode::Complete;
    bool landscape = false;
    MotorDiagramInput diagram;
    DataSheet sheet;
    DrawingChoice drawing;                  // the dimension drawing of the clicked column
    std::optional<std::string> linkMessage; // a complete printout of a motor whose drawing is a link
};

// The message a complete printout shows for a drawing that is only a web link.
std::string DrawingLinkMessage();

PrintoutPlan PlanPrintout(const SelectionSession& session, const LanguageState& language,
                          std::string_view isoDate);

} // namespace airmotor::core
