#include "platform/MotorListFiles.h"

#include "core/maintenance/FittedMotorDiagram.h"
#include "core/maintenance/MotorDataEditor.h"
#include "platform/DiagramExport.h"
#include "platform/MeasurementFileStore.h"

#include <QDir>

namespace airmotor::platform {

std::optional<std::string> PrintMotorListDiagram(PrintJobSink& sink, const core::MotorDataEditor& editor,
                                                 const core::LanguageState& language, const QString& title) {
    core::MotorCatalogue holder;
    auto input = core::FittedMotorDiagramInput(editor, language, holder);
    if (auto* error = std::get_if<std::string>(&input))
        return *error;
    const PrintRun run = RunOnePageJobs(
        sink, 1, QPageLayout::Landscape, title, [&](QPainter& painter, const QRectF& page, double dpi, int) {
            PaintMotorDiagramPage(painter, page, dpi, std::get<core::MotorDiagramInput>(input));
        });
    if (!run.error.isEmpty())
        return run.error.toStdString();
    return std::nullopt;
}

MotorListFiles::MotorListFiles(QString workbookFolder, MotorDataWriter& writer,
                               const core::LanguageState& language, SinkForRow sinkForRow)
    : folder_(std::move(workbookFolder)), writer_(writer), language_(language),
      sinkForRow_(std::move(sinkForRow)) {}

std::variant<core::MeasurementData, std::string> MotorListFiles::readMeasurement(const std::string& file) {
    // Written on the old platform with backslashes; relative to the workbook's folder.
    QString name = QString::fromStdString(file);
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return MeasurementFileStore::read(QDir(folder_).filePath(name));
}

std::variant<int, std::string> MotorListFiles::addMotor(const core::MotorRecord& record,
                                                        const std::string& designation) {
    return writer_.write(record, designation);
}

std::optional<std::string> MotorListFiles::printDiagram(const core::MotorDataEditor& editor, int row) {
    const QString title =
        QStringLiteral("%1 (row %2)").arg(QString::fromStdString(editor.texts().designation)).arg(row);
    return PrintMotorListDiagram(sinkForRow_(row), editor, language_, title);
}

} // namespace airmotor::platform
