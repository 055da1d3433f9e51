#pragma once

#include "core/diagram/MotorDiagram.h"
#include "core/language/Language.h"
#include "core/production/SheetWriter.h"

#include <optional>
#include <string>

namespace airmotor::core {

// The result rows the editor's production batch prints: the rows the grid shows at once.
inline constexpr int kProductionResultRows = 9;
// Rows 1-2 of sheet "TKM" hold its headings; the batch fills one row per printed motor below them.
inline constexpr int kFirstProductionSheetRow = 3;
inline constexpr const char* kProductionSheet = "TKM";

// What a production batch needs from the program around it.
class ProductionBatchServices {
public:
    virtual ~ProductionBatchServices() = default;
    // Rows the result grid lists now; the batch ends after the last.
    virtual int listedRows() const = 0;
    // Makes result row `row` (1-based) the current motor; false when that row holds none.
    virtual bool selectRow(int row) = 0;
    // The current motor's diagram input, the production comparison added when the box is ticked.
    virtual MotorDiagramInput currentDiagram() = 0;
    // Prints the current motor as print job `job` (1-based); false after a message.
    virtual bool print(int job) = 0;
};

struct ProductionBatchSummary {
    int motors = 0;  // listed motors looked up
    int printed = 0; // printed, one sheet row each
    bool cancelled = false;
    bool failed = false; // stopped by a message (database, workbook, printer)
};

// Prints every listed motor that has used production records, one print job each, and fills one
// row of the sheet per printed motor. A row the grid does not list ends the batch; a failed
// printout stops it at once.
class ProductionBatch final {
public:
    // `sheet` may be null: the printouts are made and the summary says the sheet was not filled.
    ProductionBatch(ProductionBatchServices& services, SheetWriter* sheet);

    // False when the batch ends at this row.
    bool runRow(int row);
    void cancel() { summary_.cancelled = true; }

    // Saves the sheet when a motor was printed. The summary message, in the language of `strText`
    // (English without one, or where the table lacks a text), and the save's error (the batch then
    // counts as failed) for the caller to show first.
    struct End {
        std::string text;
        std::optional<std::string> saveError;
    };
    End finish(const std::string& workbook, const TextTable* strText = nullptr);
    const ProductionBatchSummary& summary() const { return summary_; }

private:
    ProductionBatchServices& services_;
    SheetWriter* sheet_;
    ProductionBatchSummary summary_;
    int sheetRow_ = kFirstProductionSheetRow;
};

} // namespace airmotor::core
