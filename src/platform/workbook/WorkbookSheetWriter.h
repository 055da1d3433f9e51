#pragma once

#include "core/production/SheetWriter.h"
#include "platform/workbook/Workbook.h"

#include <QString>

#include <memory>
#include <string>
#include <variant>

namespace airmotor::platform {

// One named sheet of an .xlsx workbook as the core's sheet writer; save() rewrites the workbook
// atomically, so a failed save leaves the file as it was.
class WorkbookSheetWriter final : public core::SheetWriter {
public:
    // A message naming the file when the workbook cannot be used or lacks the sheet.
    static std::variant<std::unique_ptr<WorkbookSheetWriter>, std::string> open(const QString& path,
                                                                                const std::string& sheet);

    // A cell that cannot be written (a number that is not finite, an address out of range) is
    // remembered, and save() refuses with it instead of writing a partly filled sheet.
    void setNumber(int row, int column, double value) override;
    void setText(int row, int column, std::string_view text) override;
    std::optional<std::string> save() override;

private:
    WorkbookSheetWriter(Workbook workbook, WorkbookSheet* sheet)
        : workbook_(std::move(workbook)), sheet_(sheet) {}

    Workbook workbook_;
    WorkbookSheet* sheet_;
    std::optional<std::string> refused_;
};

} // namespace airmotor::platform
