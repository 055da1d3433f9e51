#include "cli/CompareCommand.h"

#include "cli/AnalysisJson.h"
#include "cli/CommandOptions.h"
#include "cli/Json.h"
#include "cli/OutputFile.h"
#include "cli/SessionScript.h"
#include "core/analysis/MotorComparison.h"
#include "core/common/MessageSink.h"
#include "core/diagram/ComparisonDiagram.h"
#include "core/format/NumberParsing.h"
#include "core/session/SelectionSession.h"
#include "platform/drawing/DiagramExport.h"

#include <iomanip>
#include <limits>
#include <set>

namespace airmotor::cli {
namespace {

constexpr std::string_view kCompareCommand = "compare";
constexpr QSize kPictureSize(1400, 1100);

// The analysis figures the rows already carry under the analyse command's names.
const std::set<std::string, std::less<>> kAnalysisFields = {
    "mode", "pressure", "torqueAtSpeed",     "torqueMargin",    "speedAtTorque", "power",
    "air",  "airM3h",   "startTorqueMargin", "freeSpeedMargin", "airCostPerYear"};

std::vector<int> ParseComparedRows(const std::string& text) {
    std::vector<int> rows;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::optional<int> row = core::ParseInt(text.substr(start, comma - start));
        if (row && *row < 1)
            throw UsageError(std::string(kCompareCommand) + ": --rows: row numbers start at 1");
        if (!row)
            throw UsageError(std::string(kCompareCommand) +
                             ": --rows takes row numbers separated by commas, not \"" + text + "\"");
        rows.push_back(*row);
        start = comma + 1;
    }
    return rows;
}

void WriteJson(JsonWriter& json, const core::MotorComparison& c, const std::optional<std::string>& out) {
    json.beginObject().key("rows").beginArray();
    for (std::size_t m = 0; m < c.motors.size(); ++m) {
        json.beginObject();
        WriteAnalysisFields(json, c.motors[m]);
        std::vector<std::string> best;
        for (const core::ComparedFigure& f : c.figures) {
            if (m < f.best.size() && f.best[m])
                best.push_back(f.name);
            if (kAnalysisFields.count(f.name) != 0)
                continue;
            json.key(f.name);
            // Catalogue figures are single precision: nine digits say all they hold.
            if (f.values[m])
                json.value(static_cast<float>(*f.values[m]));
            else
                json.null();
        }
        json.key("best").array(best);
        json.endObject();
    }
    json.endArray().key("figures").beginArray();
    for (const core::ComparedFigure& f : c.figures) {
        json.beginObject().field("name", f.name).key("better");
        if (f.better == core::Better::Neither)
            json.null();
        else
            json.value(core::BetterName(f.better));
        json.endObject();
    }
    json.endArray();
    if (out)
        json.field("out", *out);
    json.endObject();
    json.finish();
}

void WriteText(std::ostream& out, const core::MotorComparison& c) {
    for (const core::ComparedFigure& f : c.figures) {
        out << std::left << std::setw(34) << f.caption;
        for (std::size_t m = 0; m < f.texts.size(); ++m)
            out << std::right << std::setw(14) << (f.texts[m] + (f.best[m] ? " *" : "  "));
        out << '\n';
    }
    out << "(* best of the compared motors)\n";
}

} // namespace

int RunCompareCommand(CliContext& ctx, const CommandArgs& args) {
    std::vector<std::string_view> names = SessionOptionNames(true);
    names.insert(names.end(), {"rows", "out"});
    const CommandOptions options(kCompareCommand, args, names);
    if (!options.has("rows"))
        throw UsageError("compare: --rows is required");
    const std::vector<int> rows = ParseComparedRows(options.required("rows"));
    // Too many rows or a row twice is wrong whatever the search finds.
    if (auto problem = core::CheckComparedRows(rows, std::numeric_limits<int>::max()))
        throw UsageError("compare: --rows: " + *problem);
    std::optional<std::string> out;
    if (options.has("out"))
        out = OutputFile(options, kCompareCommand, {"svg", "png", "pdf"});

    core::RecordingMessageSink sink;
    core::SelectionSession session(ctx.catalogue(), ctx.language, sink);
    if (!PressSession(ctx, session, options, kCompareCommand))
        throw UsageError("compare: the search was refused, there are no result rows");
    if (auto problem = core::CheckComparedRows(rows, session.results().rowCount()))
        throw UsageError("compare: --rows: " + *problem);

    if (out) {
        const core::ComparisonPlot plot =
            core::ComputeComparisonPlot(core::ComparisonInputFromSession(session, ctx.language, rows));
        const core::MotorComparison shown =
            core::CompareRows(session, rows, ctx.language, core::AirCostInputs{});
        const QString error =
            platform::ExportComparison(plot, shown, QString::fromStdString(*out), kPictureSize);
        if (!error.isEmpty())
            throw FolderError("compare: " + error.toStdString());
    }
    // SI figures and SI masks: the marks and numbers do not depend on the language.
    core::LanguageState si = ctx.language;
    si.intImperialUnits = 0;
    si.units = core::UnitFactors{};
    const core::MotorComparison comparison = core::CompareRows(session, rows, si, core::AirCostInputs{});
    if (ctx.json) {
        JsonWriter json(*ctx.out);
        WriteJson(json, comparison, out);
    } else {
        WriteText(*ctx.out, comparison);
        if (out)
            *ctx.out << "Comparison written to " << *out << '\n';
    }
    return 0;
}

} // namespace airmotor::cli
