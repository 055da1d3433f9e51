#include "app/maintenance/MotorListBatchController.h"

#include "app/shell/ProgramContext.h"
#include "core/common/Keys.h"
#include "core/results/SearchSummary.h"
#include "platform/workbook/MotorListFiles.h"
#include "platform/workbook/MotorListWorkbook.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>

namespace airmotor::app {
namespace {

const char* const kTitle = "Motor list";
const char* const kExcelFolder = "Excel";

} // namespace

MotorListBatchController::MotorListBatchController(QWidget& parent, ProgramContext& program,
                                                   core::MessageSink& messages)
    // Owned by the editor window it serves, so it goes when the window goes.
    : QObject(&parent), parent_(parent), program_(program), messages_(messages) {
    sinkFactory_ = [this] { return program_.printer.sink(); };
}

MotorListBatchController::~MotorListBatchController() = default;

QString MotorListBatchController::resolve(const QString& workbookPath) const {
    if (QFileInfo(workbookPath).isAbsolute())
        return workbookPath;
    return QDir(QDir(program_.folder.folder).filePath(QLatin1String(kExcelFolder))).filePath(workbookPath);
}

void MotorListBatchController::report(const std::string& text, core::MessageIcon icon) {
    messages_.show(core::Message{-1, text, icon, kTitle});
}

core::MotorListSummary MotorListBatchController::Run(const QString& workbookPath, int firstRow, int lastRow,
                                                     core::MotorListMode mode) {
    if (program_.readOnly()) {
        report(core::FillPlaceholders(program_.language.strText(core::TextKey::CatalogueReadOnly),
                                      {program_.location().toStdString()}),
               core::MessageIcon::Warning);
        return {};
    }
    auto opened = platform::MotorListWorkbook::open(resolve(workbookPath), firstRow, lastRow);
    if (auto* error = std::get_if<std::string>(&opened)) {
        report(*error, core::MessageIcon::Critical);
        return {};
    }
    platform::MotorListWorkbook& workbook = *std::get<std::unique_ptr<platform::MotorListWorkbook>>(opened);
    platform::MotorDataWriter writer(program_.databaseFile());
    writer.rememberLoaded(program_.rowVersions);
    std::unique_ptr<platform::PrintJobSink> sink;
    platform::MotorListFiles files(workbook.folder(), writer, program_.language,
                                   [&](int) -> platform::PrintJobSink& {
                                       if (!sink)
                                           sink = sinkFactory_();
                                       return *sink;
                                   });
    core::MotorListBatch batch(workbook, files, mode);

    const int total = std::max(0, lastRow - firstRow + 1);
    QProgressDialog progress(QString(), QStringLiteral("Cancel"), 0, total, &parent_);
    progress.setObjectName(QStringLiteral("MotorListProgress"));
    progress.setWindowTitle(QLatin1String(kTitle));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    int done = 0;
    for (int row = firstRow; row <= lastRow && !progress.wasCanceled(); ++row) {
        progress.setLabelText(QStringLiteral("Row %1 (%2 of %3): %4")
                                  .arg(row)
                                  .arg(done + 1)
                                  .arg(total)
                                  .arg(QString::fromStdString(batch.designationOf(row))));
        QApplication::processEvents();
        const bool goOn = batch.runRow(row);
        progress.setValue(++done);
        if (rowObserver_)
            rowObserver_(progress);
        if (!goOn)
            break;
    }
    const bool cancelled = progress.wasCanceled() && done < total;
    progress.reset();

    core::MotorListSummary summary = batch.summary();
    std::string text = core::SummaryText(summary);
    if (cancelled)
        text += "\nCancelled after " + std::to_string(done) + " of " + std::to_string(total) + " rows.";
    if (summary.added > 0)
        if (auto error = program_.loadCatalogue())
            text += "\nThe catalogue could not be reloaded: " + *error;
    report(text, summary.stopped.empty() ? core::MessageIcon::Information : core::MessageIcon::Warning);
    return summary;
}

} // namespace airmotor::app
