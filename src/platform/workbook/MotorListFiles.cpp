#include "platform/workbook/MotorListFiles.h"

#include "core/maintenance/EditorDiagram.h"
#include "core/maintenance/MotorDataEditor.h"
#include "platform/files/MeasurementFileStore.h"
#include "platform/printing/EditorDiagramPages.h"
#include "platform/storage/SameMotorLookup.h"

#include <QDateTime>
#include <QDir>

namespace airmotor::platform {

std::optional<std::string> PrintMotorListDiagram(PrintJobSink& sink, const core::MotorDataEditor& editor,
                                                 const core::LanguageState& language, const QString& title) {
    // The row's diagram exactly as the editor's printer diagram draws it after the same calibration.
    const QDateTime now = QDateTime::currentDateTime();
    core::EditorDiagramOptions options;
    options.canvas = core::CanvasKind::Printer;
    options.dateTime = now.toString(QStringLiteral("yyyy-M-d,  hh:mm:ss")).toStdString();
    options.texts = &language.strText;
    options.strLanguage = language.strLanguage;
    const QString error = PrintEditorDiagrams(sink, title, 1, [&](int, double dpi) {
        options.printerDpi = static_cast<float>(dpi);
        return core::BuildEditorDiagram(editor, options);
    });
    if (!error.isEmpty())
        return error.toStdString();
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
    auto read = MeasurementFileStore::read(QDir(folder_).filePath(name));
    if (auto* error = std::get_if<FileError>(&read))
        return error->message; // the batch's log is English, as the command line's
    return std::get<core::MeasurementData>(std::move(read));
}

std::variant<int, std::string> MotorListFiles::addMotor(const core::MotorRecord& record,
                                                        const std::string& designation) {
    return writer_.write(record, designation);
}

std::variant<std::optional<int>, std::string> MotorListFiles::findAdded(const core::MotorRecord& record,
                                                                        const std::string& designation) {
    return FindSameMotor(writer_.databaseFile(), record, designation);
}

std::optional<std::string> MotorListFiles::printDiagram(const core::MotorDataEditor& editor, int row) {
    const QString title =
        QStringLiteral("%1 (row %2)").arg(QString::fromStdString(editor.texts().designation)).arg(row);
    return PrintMotorListDiagram(sinkForRow_(row), editor, language_, title);
}

} // namespace airmotor::platform
