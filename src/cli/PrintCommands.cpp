#include "cli/PrintCommands.h"

#include "cli/CommandOptions.h"
#include "cli/Json.h"
#include "cli/OutputFile.h"
#include "cli/SessionScript.h"
#include "core/common/MessageSink.h"
#include "core/printing/DataSheet.h"
#include "core/session/SelectionSession.h"
#include "platform/printing/CatalogueTablePrinter.h"
#include "platform/printing/PrintJobs.h"
#include "platform/printing/PrintoutPrinter.h"

#include <QDate>

namespace airmotor::cli {
namespace {

constexpr int kMaxCopies = 99;

void WriteResult(CliContext& ctx, const platform::PdfJobSink& sink, const platform::PrintRun& run,
                 bool landscape, const std::vector<core::Message>& messages, std::string_view what) {
    if (ctx.json) {
        JsonWriter json(*ctx.out);
        json.beginObject().key("jobs").beginArray();
        for (const QString& file : sink.files())
            json.value(file.toStdString());
        json.endArray().key("pages").array(run.pages);
        json.field("orientation", landscape ? "landscape" : "portrait");
        json.key("messages").beginArray();
        for (const auto& m : messages) {
            json.beginObject().key("key");
            if (m.key < 0)
                json.null();
            else
                json.value(m.key);
            json.field("text", m.text).endObject();
        }
        json.endArray().endObject();
        json.finish();
        return;
    }
    for (const auto& m : messages)
        *ctx.out << m.text << '\n';
    *ctx.out << what << " written to " << sink.files().join(QStringLiteral(", ")).toStdString() << '\n';
}

} // namespace

core::PrintMode ParseDatasheetMode(const std::optional<std::string>& text) {
    if (!text || *text == "complete")
        return core::PrintMode::Complete;
    if (*text == "diagram")
        return core::PrintMode::DiagramOnly;
    if (*text == "drawing")
        return core::PrintMode::DrawingOnly;
    throw UsageError("datasheet: --mode takes complete, diagram or drawing");
}

DatasheetRun PrintDatasheet(CliContext& ctx, const CommandOptions& options, core::PrintMode mode,
                            platform::PrintJobSink& sink, int copies) {
    core::RecordingMessageSink sessionMessages;
    core::SelectionSession session(ctx.catalogue(), ctx.language, sessionMessages);
    if (!DriveSession(ctx, session, options, "datasheet") || !session.current().valid)
        throw UsageError("datasheet: no motor is current for that row and column, nothing was written");
    const int choice = static_cast<int>(mode);
    if (!session.outputs().EnbartDiagramBEnabled[static_cast<std::size_t>(choice)])
        throw UsageError("datasheet: --mode drawing is not available: the motor's drawing is a web link");
    session.ClickOutputOption(choice);

    const std::string today = QDate::currentDate().toString(Qt::ISODate).toStdString();
    const core::PrintoutPlan plan = core::PlanPrintout(session, ctx.language, today);
    if (!plan.valid)
        throw UsageError("datasheet: no motor is current, nothing was written");
    DatasheetRun result;
    const platform::PrintoutPrinter printer(QString::fromStdString(ctx.folder.string()), result.messages);
    result.run = printer.print(sink, plan, copies);
    result.landscape = plan.landscape;
    result.designation = plan.sheet.designation;
    return result;
}

int RunDatasheetCommand(CliContext& ctx, const CommandArgs& args) {
    std::vector<std::string_view> names = SessionOptionNames(true);
    names.insert(names.end(), {"out", "mode", "copies"});
    const CommandOptions options("datasheet", args, names);
    const std::string out = OutputFile(options, "datasheet", {"pdf"});
    const core::PrintMode mode = ParseDatasheetMode(options.text("mode"));
    const int copies = options.integer("copies", 1, 1, kMaxCopies);

    platform::PdfJobSink sink(QString::fromStdString(out));
    const DatasheetRun printed = PrintDatasheet(ctx, options, mode, sink, copies);
    if (!printed.run.ok())
        throw FolderError("datasheet: " + printed.run.error.toStdString());
    WriteResult(ctx, sink, printed.run, printed.landscape, printed.messages.messages,
                "Data sheet of " + printed.designation);
    return 0;
}

int RunCatalogueTableCommand(CliContext& ctx, const CommandArgs& args) {
    const CommandOptions options("catalogue-table", args, {"out"});
    const std::string out = OutputFile(options, "catalogue-table", {"pdf"});
    const platform::CatalogueTablePrinter printer(ctx.catalogue(), ctx.language.strText);
    platform::PdfJobSink sink(QString::fromStdString(out));
    const platform::PrintRun run = printer.print(sink);
    if (!run.ok())
        throw FolderError("catalogue-table: " + run.error.toStdString());
    WriteResult(ctx, sink, run, true, {}, "Catalogue table");
    return 0;
}

} // namespace airmotor::cli
