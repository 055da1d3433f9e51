#pragma once

#include "core/maintenance/MotorListBatch.h"
#include "platform/workbook/Workbook.h"

#include <memory>
#include <string>
#include <variant>

namespace airmotor::platform {

// The sheet "Motorer" of a motor-list workbook; every save writes the whole workbook atomically.
class MotorListWorkbook final : public core::MotorListSheet {
public:
    // A message naming the file when the workbook cannot be used or lacks the sheet. Only the
    // columns the batch reads are kept, of the rows it works through.
    static std::variant<std::unique_ptr<MotorListWorkbook>, std::string>
    open(const QString& path, int firstRow = 1, int lastRow = kMaxSheetRows);

    std::string text(int row, int column) const override { return sheet_->text(row, column); }
    std::optional<double> number(int row, int column) const override { return sheet_->number(row, column); }
    void setNumber(int row, int column, double value) override { sheet_->setNumber(row, column, value); }
    std::optional<std::string> save() override { return workbook_.save(); }
    std::optional<std::string> checkWritable() const override;

    // The folder measurement files are named relative to.
    QString folder() const;
    int lastRow() const { return sheet_->lastRow(); }

private:
    MotorListWorkbook(Workbook workbook, WorkbookSheet* sheet)
        : workbook_(std::move(workbook)), sheet_(sheet) {}

    Workbook workbook_;
    WorkbookSheet* sheet_;
};

} // namespace airmotor::platform
