#include "platform/workbook/WorkbookSheetWriter.h"

#include "platform/workbook/WorkbookSheet.h"

#include <stdexcept>

namespace airmotor::platform {

std::variant<std::unique_ptr<WorkbookSheetWriter>, std::string>
WorkbookSheetWriter::open(const QString& path, const std::string& sheet) {
    auto opened = Workbook::open(path);
    if (auto* error = std::get_if<std::string>(&opened))
        return *error;
    Workbook workbook = std::get<Workbook>(std::move(opened));
    // The sheet lives in the workbook's own storage, so it survives the workbook's move. Nothing
    // is read from it: no cell values are kept.
    auto found = workbook.sheet(sheet, KeptCells::None());
    if (auto* error = std::get_if<std::string>(&found))
        return *error;
    return std::unique_ptr<WorkbookSheetWriter>(
        new WorkbookSheetWriter(std::move(workbook), std::get<WorkbookSheet*>(found)));
}

void WorkbookSheetWriter::setNumber(int row, int column, double value) {
    try {
        sheet_->setNumber(row, column, value);
    } catch (const std::exception& e) {
        if (!refused_)
            refused_ = workbook_.path().toStdString() + ": " + e.what();
    }
}

void WorkbookSheetWriter::setText(int row, int column, std::string_view text) {
    try {
        sheet_->setText(row, column, std::string(text));
    } catch (const std::exception& e) {
        if (!refused_)
            refused_ = workbook_.path().toStdString() + ": " + e.what();
    }
}

std::optional<std::string> WorkbookSheetWriter::save() {
    if (refused_)
        return refused_;
    return workbook_.save();
}

} // namespace airmotor::platform
