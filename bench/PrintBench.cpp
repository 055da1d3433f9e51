// Printing to PDF: one complete data sheet, and the whole bundled catalogue table.

#include "GuiApplication.h"
#include "core/common/MessageSink.h"
#include "core/printing/DataSheet.h"
#include "core/session/SelectionSession.h"
#include "platform/files/LanguageLoader.h"
#include "platform/printing/CatalogueTablePrinter.h"
#include "platform/printing/PrintJobs.h"
#include "platform/printing/PrintoutPrinter.h"
#include "platform/storage/CatalogueStore.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace airmotor;

using bench::EnsureGuiApplication;

const QString kFolder = QStringLiteral(AIRMOTOR_BIN_DIR);

struct BundledSession {
    BundledSession() {
        const QString database = kFolder + "/Zevodida.db";
        language.strLanguage = "English";
        if (platform::LanguageLoader(database).load(language))
            return;
        language.units = core::UnitFactors::ForImperial(language.intImperialUnits);
        auto loaded = platform::CatalogueStore(database).loadCatalogue();
        if (!std::holds_alternative<core::CatalogueLoadResult>(loaded))
            return;
        catalogue = std::get<core::CatalogueLoadResult>(loaded).catalogue;
        session = std::make_unique<core::SelectionSession>(catalogue, language, sink);
        session->Load();
        // A working point with a throttled row: the fullest data block.
        session->ClickCatalogue(1);
        session->TypeIntoField(core::RequirementField::ArbetsMomentB, "2");
        session->TypeIntoField(core::RequirementField::ArbetsVarvtalB, "3000");
        session->ClickSearch();
        ready = session->current().valid;
    }
    core::LanguageState language;
    core::MotorCatalogue catalogue;
    core::RecordingMessageSink sink;
    std::unique_ptr<core::SelectionSession> session;
    bool ready = false;
};

void BM_CompleteDataSheetPdf(benchmark::State& state) {
    if (!EnsureGuiApplication()) {
        state.SkipWithError("a non-GUI application object exists");
        return;
    }
    static BundledSession bundled;
    if (!bundled.ready) {
        state.SkipWithError("the bundled catalogue could not be loaded or searched");
        return;
    }
    const core::PrintoutPlan plan = core::PlanPrintout(*bundled.session, bundled.language, "2026-12-07");
    QTemporaryDir dir;
    core::RecordingMessageSink messages;
    const platform::PrintoutPrinter printer(kFolder, messages);
    for (auto _ : state) {
        platform::PdfJobSink sink(dir.filePath("sheet.pdf"));
        const platform::PrintRun run = printer.print(sink, plan, 1);
        if (!run.ok())
            state.SkipWithError(run.error.toStdString().c_str());
    }
}
BENCHMARK(BM_CompleteDataSheetPdf)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_CatalogueTablePdf(benchmark::State& state) {
    if (!EnsureGuiApplication()) {
        state.SkipWithError("a non-GUI application object exists");
        return;
    }
    static BundledSession bundled;
    if (bundled.catalogue.intAntalMotorer == 0) {
        state.SkipWithError("the bundled catalogue could not be loaded");
        return;
    }
    QTemporaryDir dir;
    const platform::CatalogueTablePrinter table(bundled.catalogue, bundled.language.strText);
    for (auto _ : state) {
        platform::PdfJobSink sink(dir.filePath("table.pdf"));
        const platform::PrintRun run = table.print(sink);
        if (!run.ok())
            state.SkipWithError(run.error.toStdString().c_str());
    }
}
BENCHMARK(BM_CatalogueTablePdf)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
