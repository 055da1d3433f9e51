#include "cli/ProductionCommand.h"

#include "cli/CommandOptions.h"
#include "cli/Json.h"
#include "core/production/ProductionComparison.h"
#include "platform/production/ProductionDatabase.h"

#include <iomanip>

namespace airmotor::cli {

int RunProductionCommand(CliContext& ctx, const CommandArgs& args) {
    const CommandOptions options("production", args, {"index", "production"});
    if (!options.has("index"))
        throw UsageError("production: --index is required");
    const int index = options.integer("index", 0, 1, ctx.catalogue().intAntalMotorer);
    const QString folder = QString::fromStdString(ctx.folder.string());
    const QString file = options.has("production") ? QString::fromStdString(*options.text("production"))
                                                   : platform::DefaultProductionDatabase(folder);
    core::ProductionRead read = platform::OpenProductionDatabase(file)->Read();
    if (!read.error.empty())
        throw FolderError("production: " + read.error);

    const core::ProductionIndex tables(std::move(read.tables));
    const core::ProductionLookupResult lookup = core::LookUpProduction(ctx.catalogue(), index, tables);
    // The curves as the maintenance diagram draws them at 6.3 bar.
    core::MotorDiagramInput diagram;
    diagram.catalogue = &ctx.catalogue();
    diagram.index = index;
    diagram.strCurrentBenamning = ctx.catalogue().strBenamning[static_cast<std::size_t>(index)];
    diagram.bolKatalogMode = false;
    diagram.productionData = true;
    const core::ProductionComparison table = core::CompareWithProduction(diagram, lookup);

    if (ctx.json) {
        JsonWriter json(*ctx.out);
        json.beginObject().field("count", lookup.count).key("rows").beginArray();
        for (const core::ComparisonRow& r : table.rows)
            json.beginObject()
                .field("label", r.label)
                .field("old", r.oldText)
                .field("new", r.newText)
                .field("diff", r.diffText)
                .endObject();
        json.endArray().key("records").beginArray();
        for (const core::ProductionRecord& r : lookup.records)
            json.beginObject()
                .field("SerNbr", r.SerNbr)
                .field("Produktnummer", r.Produktnummer)
                .field("used", r.outcome == core::RecordOutcome::Used)
                .field("reason", r.reason())
                .endObject();
        json.endArray().endObject();
        json.finish();
        return 0;
    }
    *ctx.out << diagram.strCurrentBenamning << ": " << lookup.count << " of " << lookup.records.size()
             << " production records used\n";
    if (table.shown()) {
        *ctx.out << std::left << std::setw(22) << "" << std::right << std::setw(12) << "Old" << std::setw(12)
                 << "New" << std::setw(10) << "Diff %" << '\n';
        for (const core::ComparisonRow& r : table.rows)
            *ctx.out << std::left << std::setw(22) << r.label << std::right << std::setw(12) << r.oldText
                     << std::setw(12) << r.newText << std::setw(10) << r.diffText << '\n';
    }
    for (const core::ProductionRecord& r : lookup.records)
        *ctx.out << "  " << r.SerNbr << " (" << r.Produktnummer << "): " << r.reason() << '\n';
    return 0;
}

} // namespace airmotor::cli
