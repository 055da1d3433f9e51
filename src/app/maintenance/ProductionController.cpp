#include "app/maintenance/ProductionController.h"

#include "app/diagrams/DiagramController.h"
#include "app/diagrams/DiagramWindow.h"
#include "app/printing/PrintController.h"
#include "app/selection/MainWindow.h"
#include "app/selection/OutputPanel.h"
#include "app/shell/ProgramContext.h"
#include "core/common/Keys.h"
#include "core/diagram/SessionDiagramInput.h"
#include "core/language/TaskFault.h"
#include "core/production/ProductionBatch.h"
#include "platform/production/ProductionDatabase.h"
#include "platform/workbook/WorkbookSheetWriter.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>

namespace airmotor::app {

ProductionController::ProductionController(MainWindow& main, ProgramContext& program,
                                           core::MessageSink& messages, DiagramController& diagrams,
                                           PrintController& print)
    : QObject(&main), main_(main), program_(program), messages_(messages), diagrams_(diagrams), print_(print),
      file_(platform::DefaultProductionDatabase(program.folder.folder)) {
    chooser_ = [this](const QString& current) {
        const QString title = text(core::TextKey::ProductionTitle);
        return QFileDialog::getOpenFileName(&main_, title, current,
                                            title + QStringLiteral(" (*.mdb *.accdb *.sqlite *.db);;*"));
    };
    workbookChooser_ = [this](const QString& preset) {
        return QFileDialog::getOpenFileName(&main_, text(core::TextKey::ProductionSheetTitle), preset,
                                            QStringLiteral("Excel (*.xlsx)"));
    };
    sheetWriters_ = [](const QString& workbook, std::string& error) -> std::unique_ptr<core::SheetWriter> {
        auto opened = platform::WorkbookSheetWriter::open(workbook, core::kProductionSheet);
        if (auto* message = std::get_if<std::string>(&opened)) {
            error = *message;
            return nullptr;
        }
        return std::move(std::get<std::unique_ptr<platform::WorkbookSheetWriter>>(opened));
    };
    OutputPanel& panel = main.outputs();
    connect(&panel, &OutputPanel::productionDataToggled, this, &ProductionController::setProductionData);
    connect(&panel, &OutputPanel::printProductionRequested, this, [this] { runBatch(Batch::AllRows); });
    connect(&panel, &OutputPanel::printProductionRowsRequested, this,
            [this] { runBatch(Batch::ResultRows); });
    connect(&panel, &OutputPanel::productionFileRequested, this, &ProductionController::chooseDatabaseFile);
    const auto decorator = [this](core::MotorDiagramInput& in) { decorate(in); };
    diagrams.setInputDecorator(decorator);
    print.setDiagramDecorator(decorator);
}

QString ProductionController::text(int key) const {
    return QString::fromStdString(program_.language.strText(key));
}

void ProductionController::report(const std::string& message, core::MessageIcon icon) {
    messages_.show({.key = -1,
                    .text = message,
                    .icon = icon,
                    .title = text(core::TextKey::ProductionTitle).toStdString()});
}

void ProductionController::report(const core::TaskFault& fault, const std::string& english,
                                  core::MessageIcon icon) {
    report(core::TaskFaultText(fault, &program_.language.strText, english), icon);
}

void ProductionController::tick(bool ticked) {
    ticked_ = ticked;
    main_.outputs().setProductionData(ticked);
    diagrams_.diagram().redraw();
}

void ProductionController::setProductionData(bool ticked) {
    if (ticked == ticked_)
        return;
    // A database that cannot be read leaves the box clear: the diagram never pretends to compare.
    tick(ticked && load());
}

void ProductionController::setDatabaseFile(const QString& file) {
    if (file.isEmpty() || file == file_)
        return;
    file_ = file;
    index_.reset();
    lookups_.clear();
    if (ticked_)
        tick(load());
}

void ProductionController::chooseDatabaseFile() {
    setDatabaseFile(chooser_ ? chooser_(file_) : QString());
}

bool ProductionController::load() {
    const QDateTime stamp = QFileInfo(file_).lastModified();
    if (index_ && stamp == loadedStamp_)
        return true;
    index_.reset();
    lookups_.clear();
    core::ProductionRead read = platform::OpenProductionDatabase(file_)->Read();
    if (!read.error.empty()) {
        report({core::TaskProblem::ProductionNotRead, {}, read.error, read.file}, read.error,
               core::MessageIcon::Warning);
        return false;
    }
    index_ = std::make_unique<core::ProductionIndex>(std::move(read.tables));
    loadedStamp_ = stamp;
    return true;
}

void ProductionController::decorate(core::MotorDiagramInput& in) {
    in.productionData = ticked_;
    if (!ticked_ || !index_ || !in.catalogue || in.index < 1)
        return;
    auto found = lookups_.find(in.index);
    if (found == lookups_.end())
        found = lookups_.emplace(in.index, core::LookUpProduction(*in.catalogue, in.index, *index_)).first;
    in.production =
        std::make_shared<core::ProductionComparison>(core::CompareWithProduction(in, found->second));
}

ProductionController::Summary ProductionController::runBatch(Batch batch) {
    const Summary summary = runRows(batch);
    // The editor's batch ticks the box for itself and clears it again, whatever happened.
    if (batch == Batch::ResultRows && ticked_)
        tick(false);
    return summary;
}

QString ProductionController::batchWorkbook(Batch batch) {
    const QString preset = platform::ProductionWorkbook(
        program_.folder.folder,
        batch == Batch::ResultRows ? platform::kEditorBatchWorkbookName : platform::kMainBatchWorkbookName);
    const QFileInfo file(preset);
    // The save replaces the file, so its folder must take a new file too.
    if (file.isFile() && file.isWritable() && QFileInfo(file.absolutePath()).isWritable())
        return preset;
    return workbookChooser_ ? workbookChooser_(preset) : preset;
}

ProductionController::Summary ProductionController::runRows(Batch batch) {
    Summary summary;
    if (batch == Batch::ResultRows) {
        setProductionData(true);
    } else if (!ticked_) {
        report({core::TaskProblem::ProductionNotTicked, {}, {}, std::nullopt},
               "Prod.data is not ticked: there is nothing to compare.", core::MessageIcon::Information);
        return summary;
    }
    // A database that could not be read was reported by the tick, which stayed clear.
    if (!ticked_) {
        summary.failed = true;
        return summary;
    }
    if (!load()) {
        tick(false);
        summary.failed = true;
        return summary;
    }
    const QString workbook = batchWorkbook(batch);
    if (workbook.isEmpty()) {
        report({core::TaskProblem::ProductionNoWorkbook, {}, {}, std::nullopt},
               "No workbook with sheet TKM was chosen: nothing was printed.", core::MessageIcon::Information);
        summary.cancelled = true;
        return summary;
    }
    std::unique_ptr<core::SheetWriter> sheet;
    if (sheetWriters_) {
        std::string error;
        sheet = sheetWriters_(workbook, error);
        if (!sheet) {
            report({core::TaskProblem::ProductionSheetNotOpened, {}, error, std::nullopt}, error,
                   core::MessageIcon::Warning);
            summary.failed = true;
            return summary;
        }
    }

    const int last =
        batch == Batch::ResultRows ? core::kProductionResultRows : program_.catalogue.intAntalMotorer;
    // Qt words the Cancel button in the chosen language.
    QProgressDialog progress(&main_);
    progress.setLabelText(text(core::TextKey::ProductionTitle));
    progress.setRange(0, last);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);

    // The batch's rows as the main window shows them: selected in the grid, drawn, printed.
    class Rows final : public core::ProductionBatchServices {
    public:
        Rows(ProductionController& owner, QProgressDialog& progress, int last)
            : owner_(owner), progress_(progress), last_(last) {}
        int listedRows() const override {
            return static_cast<int>(owner_.main_.session().results().grid.size());
        }
        bool selectRow(int row) override {
            bool selected = false;
            owner_.main_.runSessionAction(
                [&selected, row](core::SelectionSession& s) { selected = s.ClickCell(row, 0); });
            if (!selected)
                return false;
            const core::SelectionSession& session = owner_.main_.session();
            progress_.setLabelText(QStringLiteral("%1 / %2: %3")
                                       .arg(row)
                                       .arg(last_)
                                       .arg(QString::fromStdString(session.current().strCurrentBenamning)));
            return true;
        }
        core::MotorDiagramInput currentDiagram() override {
            core::MotorDiagramInput in =
                core::DiagramInputFromSession(owner_.main_.session(), owner_.program_.language);
            owner_.decorate(in);
            return in;
        }
        bool print(int job) override { return owner_.print_.printNow(job); }

    private:
        ProductionController& owner_;
        QProgressDialog& progress_;
        int last_;
    } rows(*this, progress, last);

    core::ProductionBatch run(rows, sheet.get());
    for (int row = 1; row <= last; ++row) {
        progress.setValue(row - 1);
        QCoreApplication::processEvents();
        if (progress.wasCanceled()) {
            run.cancel();
            break;
        }
        if (!run.runRow(row))
            break;
    }
    progress.setValue(last);

    const core::ProductionBatch::End end = run.finish(workbook.toStdString(), &program_.language.strText);
    if (end.saveError)
        report(*end.saveError, core::MessageIcon::Warning);
    report(end.text, core::MessageIcon::Information);
    const core::ProductionBatchSummary& done = run.summary();
    return {done.motors, done.printed, done.cancelled, done.failed};
}

} // namespace airmotor::app
