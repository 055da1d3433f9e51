#include "core/production/ProductionBatch.h"

#include "core/common/Keys.h"
#include "core/production/ProductionComparison.h"
#include "core/results/SearchSummary.h"

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

ProductionBatch::End ProductionBatch::finish(const std::string& workbook, const TextTable* strText) {
    const auto phrase = [strText](int key, const char* english) {
        return strText != nullptr && !(*strText)(key).empty() ? (*strText)(key) : std::string(english);
    };
    End end;
    end.text = FillPlaceholders(
        phrase(TextKey::ProductionBatchCounts, "%1 motors looked up, %2 printed with production data"),
        {std::to_string(summary_.motors), std::to_string(summary_.printed)});
    if (summary_.cancelled)
        end.text += " (" + phrase(TextKey::ProductionBatchCancelled, "cancelled") + ")";
    else if (summary_.failed)
        end.text += " (" + phrase(TextKey::ProductionBatchStopped, "stopped: the last printout failed") + ")";
    if (sheet_ && summary_.printed > 0) {
        end.saveError = sheet_->save();
        if (end.saveError)
            summary_.failed = true;
        else
            end.text += "; " + FillPlaceholders(
                                   phrase(TextKey::ProductionBatchSheetRows, "sheet TKM rows %1-%2 of %3"),
                                   {std::to_string(kFirstProductionSheetRow), std::to_string(sheetRow_ - 1),
                                    workbook});
    } else if (!sheet_) {
        end.text += "; " + phrase(TextKey::ProductionBatchNoSheet,
                                  "no workbook writer is connected, sheet TKM is not filled");
    }
    end.text += ".";
    return end;
}

} // namespace airmotor::core
