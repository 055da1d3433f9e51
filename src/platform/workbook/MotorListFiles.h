#pragma once

#include "core/language/Language.h"
#include "core/maintenance/MotorListBatch.h"
#include "platform/printing/PrintJobs.h"
#include "platform/storage/MotorDataWriter.h"

#include <QString>

#include <functional>

namespace airmotor::platform {

// The row's diagram as one print job on `sink`. The one place that decides how a motor-list row is
// drawn: today the catalogue diagram of the fitted motor.
std::optional<std::string> PrintMotorListDiagram(PrintJobSink& sink, const core::MotorDataEditor& editor,
                                                 const core::LanguageState& language, const QString& title);

// The files behind the motor-list batch: measurement files beside the workbook, the catalogue
// database written through the editor's writer, and the print jobs of the rows.
class MotorListFiles final : public core::MotorListServices {
public:
    // The print sink of a row (a printer, or a PDF file per row).
    using SinkForRow = std::function<PrintJobSink&(int row)>;

    MotorListFiles(QString workbookFolder, MotorDataWriter& writer, const core::LanguageState& language,
                   SinkForRow sinkForRow);

    std::variant<core::MeasurementData, std::string> readMeasurement(const std::string& file) override;
    std::variant<int, std::string> addMotor(const core::MotorRecord& record,
                                            const std::string& designation) override;
    std::variant<std::optional<int>, std::string> findAdded(const core::MotorRecord& record,
                                                            const std::string& designation) override;
    std::optional<std::string> printDiagram(const core::MotorDataEditor& editor, int row) override;

private:
    QString folder_;
    MotorDataWriter& writer_;
    const core::LanguageState& language_;
    SinkForRow sinkForRow_;
};

} // namespace airmotor::platform
