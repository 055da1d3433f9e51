#include "cli/AnalyseCommand.h"

#include "cli/AnalysisJson.h"
#include "cli/CommandOptions.h"
#include "cli/Json.h"
#include "cli/OutputFile.h"
#include "cli/SessionScript.h"
#include "core/analysis/DutyAnalysis.h"
#include "core/common/MessageSink.h"
#include "core/format/NumberFormat.h"
#include "core/session/SelectionSession.h"
#include "platform/workbook/AnalysisWorkbook.h"

#include <algorithm>
#include <cmath>
#include <iomanip>

namespace airmotor::cli {
namespace {

constexpr std::string_view kAnalyseCommand = "analyse";
constexpr double kHoursPerLeapYear = 8784.0;

// A non-negative finite cost input, `fallback` when absent.
double CostInput(const CommandOptions& options, std::string_view name, double fallback, double high) {
    const std::optional<double> value = options.number(name);
    if (!value)
        return fallback;
    if (!std::isfinite(*value) || *value < 0.0 || *value > high)
        throw UsageError(std::string(kAnalyseCommand) + ": --" + std::string(name) +
                         " must lie between 0 and " + (high == kHoursPerLeapYear ? "8784" : "1e6"));
    return *value;
}

void WriteJson(JsonWriter& json, const std::vector<core::AnalysedRow>& rows) {
    json.beginObject().key("rows").beginArray();
    for (const core::AnalysedRow& row : rows) {
        json.beginObject();
        WriteAnalysisFields(json, row);
        json.endObject();
    }
    json.endArray().endObject();
    json.finish();
}

std::string Figure(const std::optional<float>& value, int decimals) {
    if (!value)
        return "-";
    return core::FixedText(*value, decimals);
}

void WriteText(std::ostream& out, const std::vector<core::AnalysedRow>& rows) {
    out << "row  designation            mode              bar  Nm@speed  margin%  r/min@Nm     kW     l/s   "
           "m3/h  start%  free%  cost/year\n";
    for (const auto& [row, a] : rows) {
        out << std::left << std::setw(5) << row << std::setw(23) << a.designation << std::setw(17)
            << core::DutyModeName(a.mode) << std::right << std::setw(4) << Figure(a.pressure, 1)
            << std::setw(10) << Figure(a.torqueAtSpeed, 2) << std::setw(9) << Figure(a.torqueMargin, 1)
            << std::setw(10) << Figure(a.speedAtTorque, 0) << std::setw(7) << Figure(a.power, 2)
            << std::setw(8) << Figure(a.air, 1) << std::setw(7) << Figure(a.airM3h, 1) << std::setw(8)
            << Figure(a.startTorqueMargin, 1) << std::setw(7) << Figure(a.freeSpeedMargin, 1) << std::setw(11)
            << Figure(static_cast<float>(a.airCostPerYear), 0) << '\n';
    }
}

// Puts the session into the state the options describe and presses the search or the listing.
SessionScript RunSearch(const CliContext& ctx, core::SelectionSession& session, const CommandOptions& options,
                        std::string_view command) {
    std::optional<SessionScript> script = PressSession(ctx, session, options, command);
    if (!script)
        throw UsageError(std::string(command) + ": the search was refused, there are no result rows");
    return *script;
}

} // namespace

int RunAnalyseCommand(CliContext& ctx, const CommandArgs& args) {
    // --all is the one option without a value.
    CommandArgs rest;
    bool all = false;
    for (const std::string& arg : args) {
        if (arg == "--all")
            all = true;
        else
            rest.push_back(arg);
    }
    std::vector<std::string_view> names = SessionOptionNames(true);
    names.insert(names.end(), {"hours", "energy", "price"});
    const CommandOptions options(kAnalyseCommand, rest, names);
    if (all && options.has("select"))
        throw UsageError("analyse: --select and --all exclude each other");
    const core::AirCostInputs defaults;
    const core::AirCostInputs cost{CostInput(options, "hours", defaults.hoursPerYear, kHoursPerLeapYear),
                                   CostInput(options, "energy", defaults.energyPerM3, 1e6),
                                   CostInput(options, "price", defaults.pricePerKWh, 1e6), defaults.currency};

    core::RecordingMessageSink sink;
    core::SelectionSession session(ctx.catalogue(), ctx.language, sink);
    const SessionScript script = RunSearch(ctx, session, options, kAnalyseCommand);

    const int count = session.results().rowCount();
    const int first = all ? 1 : script.select;
    const int last = all ? count : script.select;
    if (!all && (first < 1 || first > count))
        throw UsageError("analyse: --select " + std::to_string(first) + ": no such row (the search gave " +
                         std::to_string(count) + ")");
    const std::vector<core::AnalysedRow> rows = core::AnalyseRows(session, first, last, cost);
    if (ctx.json) {
        JsonWriter json(*ctx.out);
        WriteJson(json, rows);
    } else
        WriteText(*ctx.out, rows);
    return 0;
}

int RunExportCommand(CliContext& ctx, const CommandArgs& args) {
    std::vector<std::string_view> names = SessionOptionNames(true);
    names.emplace_back("out");
    const CommandOptions options("export", args, names);
    const std::string out = OutputFile(options, "export", {"csv", "xlsx"});

    core::RecordingMessageSink sink;
    core::SelectionSession session(ctx.catalogue(), ctx.language, sink);
    RunSearch(ctx, session, options, "export");
    const std::vector<core::AnalysedRow> rows =
        core::AnalyseRows(session, 1, session.results().rowCount(), core::AirCostInputs{});
    // No file-type choice on the command line: the name's extension decides.
    if (const auto error = platform::WriteAnalysisExport(
            core::ChooseResultExport(out, {}), rows, ctx.language.strText, core::AirCostInputs{}.currency))
        throw FolderError("export: " + error->message);
    if (ctx.json) {
        JsonWriter json(*ctx.out);
        json.beginObject()
            .field("command", "export")
            .field("out", out)
            .field("rows", static_cast<int>(rows.size()))
            .endObject();
        json.finish();
    } else {
        *ctx.out << rows.size() << " rows written to " << out << '\n';
    }
    return 0;
}

} // namespace airmotor::cli
