#include "core/production/ProductionBatch.h"

#include "core/production/ProductionComparison.h"

namespace airmotor::core {

ProductionBatch::ProductionBatch(ProductionBatchServices& services, SheetWriter* sheet)
    : services_(services), sheet_(sheet) {}

bool ProductionBatch::runRow(int row) {
    // Rows that hold no listed motor produce no drawing and no printout.
    if (row > services_.listedRows())
        return false;
    if (!services_.selectRow(row))
        return true;
    ++summary_.motors;
    const MotorDiagramInput in = services_.currentDiagram();
    if (!in.production || !in.production->shown())
        return true;
    if (!services_.print(summary_.printed + 1)) {
        summary_.failed = true;
        return false;
    }
    ++summary_.printed;
    if (sheet_)
        WriteComparisonRow(*sheet_, sheetRow_++, in.strCurrentBenamning, *in.production);
    return true;
}

ProductionBatch::End ProductionBatch::finish(const std::string& workbook) {
    End end;
    end.text = std::to_string(summary_.motors) + " motors looked up, " + std::to_string(summary_.printed) +
               " printed with production data";
    if (summary_.cancelled)
        end.text += " (cancelled)";
    else if (summary_.failed)
        end.text += " (stopped: the last printout failed)";
    if (sheet_ && summary_.printed > 0) {
        end.saveError = sheet_->save();
        if (end.saveError)
            summary_.failed = true;
        else
            end.text += "; sheet TKM rows " + std::to_string(kFirstProductionSheetRow) + "-" +
                        std::to_string(sheetRow_ - 1) + " of " + workbook;
    } else if (!sheet_) {
        end.text += "; no workbook writer is connected, sheet TKM is not filled";
    }
    end.text += ".";
    return end;
}

} // namespace airmotor::core
