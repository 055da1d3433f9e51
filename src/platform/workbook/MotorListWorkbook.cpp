#include "platform/workbook/MotorListWorkbook.h"

#include <QFileInfo>

namespace airmotor::platform {

std::variant<std::unique_ptr<MotorListWorkbook>, std::string>
MotorListWorkbook::open(const QString& path, int firstRow, int lastRow) {
    auto opened = Workbook::open(path);
    if (auto* error = std::get_if<std::string>(&opened))
        return *error;
    Workbook workbook = std::get<Workbook>(std::move(opened));
    // The sheet lives in the workbook's own storage, so it survives the workbook's move.
    const std::vector<int> columns(std::begin(core::motor_list::kReadColumns),
                                   std::end(core::motor_list::kReadColumns));
    auto sheet = workbook.sheet(core::motor_list::kSheet, KeptCells::Columns(columns, firstRow, lastRow));
    if (auto* error = std::get_if<std::string>(&sheet))
        return *error;
    return std::unique_ptr<MotorListWorkbook>(
        new MotorListWorkbook(std::move(workbook), std::get<WorkbookSheet*>(sheet)));
}

std::optional<std::string> MotorListWorkbook::checkWritable() const {
    if (const auto& problem = sheet_->rewriteProblem())
        return workbook_.path().toStdString() + ": " + *problem;
    return workbook_.checkWritable();
}

QString MotorListWorkbook::folder() const {
    // Beside the workbook itself: a link to it elsewhere does not take its measurement files along.
    const QFileInfo file(workbook_.path());
    const QString target = file.canonicalFilePath();
    return target.isEmpty() ? file.absolutePath() : QFileInfo(target).absolutePath();
}

} // namespace airmotor::platform
