#include "cli/SearchCommand.h"

#include "cli/AxisJson.h"
#include "cli/CommandOptions.h"
#include "cli/Json.h"
#include "cli/SessionScript.h"
#include "core/common/MessageSink.h"
#include "core/selection/SelectionSession.h"

#include <iomanip>
#include <optional>

namespace airmotor::cli {
namespace {

using core::RequirementField;

struct ClickReport {
    bool clicked = false;
    int row = 0;
    int column = 0;
    bool mountingPositions = false;
};

void WriteCurrent(JsonWriter& json, const core::SelectionSession& s, const ClickReport& click) {
    json.key("current");
    if (!click.clicked) {
        json.null();
        return;
    }
    const core::CurrentMotor& c = s.current();
    const core::DetailPanel& p = s.panel();
    json.beginObject()
        .field("row", click.row)
        .field("column", click.column)
        .field("index", c.katalogIndex)
        .field("strCurrentBenamning", c.strCurrentBenamning);
    json.key("factors")
        .beginObject()
        .field("sngKm", s.factors().sngKm)
        .field("sngKn", s.factors().sngKn)
        .field("sngKl", s.factors().sngKl)
        .endObject();
    json.key("values")
        .beginObject()
        .field("sngStallEst", c.sngStallEst)
        .field("sngCurrentUtvaxling", c.sngCurrentUtvaxling)
        .field("sngCurMaxEffekt", c.sngCurMaxEffekt)
        .field("sngCurVarvMaxeff", c.sngCurVarvMaxeff)
        .field("sngCurMomentMaxeff", c.sngCurMomentMaxeff)
        .field("sngCurLuftMaxeff", c.sngCurLuftMaxeff)
        .field("sngCurMinStartMoment", c.sngCurMinStartMoment)
        .field("sngCurTomgVarv", c.sngCurTomgVarv)
        .field("sngCurStallmoment", c.sngCurStallmoment)
        .endObject();
    json.key("labels")
        .beginObject()
        .field("Label17", p.Label17)
        .field("MaxeffektR", p.MaxeffektR)
        .field("NMaxeffR", p.NMaxeffR)
        .field("MinStartMomentR", p.MinStartMomentR)
        .field("StallmomentR", p.StallmomentR)
        .field("lblWeight", p.lblWeight)
        .field("QmR", p.QmR)
        .field("RelativprisR", p.RelativprisR)
        .field("lblProductNumber", p.lblProductNumber)
        .field("MmaxeffR", p.MmaxeffR)
        .field("NtomgangR", p.NtomgangR)
        .field("Label15", p.Label15)
        .field("ArbetstryckR", p.ArbetstryckR)
        .field("StrypningR", p.StrypningR)
        .field("Label24", p.Label24)
        .field("lblClass", p.lblClass)
        .endObject();
    json.field("NtomgangRColour", p.NtomgangRColour);
    json.key("information");
    if (s.lastInformation())
        json.value(*s.lastInformation());
    else
        json.null();
    json.field("mountingPositions", click.mountingPositions);
    json.key("scale");
    if (const auto scale = s.CurrentScale()) {
        json.beginObject()
            .field("sngTopVarv", scale->sngTopVarv)
            .field("sngStartVarv", scale->sngStartVarv)
            .field("sngMaxMomentAxel", scale->sngMaxMomentAxel)
            .field("sngMaxLuftAxel", scale->sngMaxLuftAxel);
        WriteAxis(json.key("speed"), scale->speed);
        WriteAxis(json.key("power"), scale->power);
        WriteAxis(json.key("torque"), scale->torque);
        WriteAxis(json.key("air"), scale->air);
        json.endObject();
    } else {
        json.null();
    }
    json.endObject();
}

void WriteJson(std::ostream& out, bool listOnly, const core::SelectionSession& s,
               const std::vector<core::Message>& messages, const ClickReport& click) {
    JsonWriter json(out);
    json.beginObject().field("command", listOnly ? "list" : "search");
    json.key("case");
    if (!listOnly && s.lastSearchCase())
        json.value(*s.lastSearchCase());
    else
        json.null();
    json.field("refused", s.lastActionRefused());
    json.key("messages").beginArray();
    for (const core::Message& m : messages)
        json.beginObject().field("key", m.key).field("text", m.text).endObject();
    json.endArray();
    const core::ResultTable& results = s.results();
    json.key("rows").beginArray();
    for (int r = 1; r <= results.rowCount(); ++r) {
        const core::ResultRow& row = results.rows[static_cast<std::size_t>(r - 1)];
        json.beginObject()
            .field("row", r)
            .field("index", row.intRadKatalogindex)
            .field("designation",
                   s.catalogue().strBenamning[static_cast<std::size_t>(row.intRadKatalogindex)])
            .field("throttle", row.sngRadStrypning)
            .field("pressure", row.sngRadTryck)
            .endObject();
    }
    json.endArray();
    json.key("grid").beginArray();
    for (const core::GridRow& row : results.grid) {
        json.beginObject();
        json.key("cells").beginArray().value(row.cells[0]).value(row.cells[1]).endArray();
        json.key("colour");
        if (row.obsolete)
            json.value(core::kCellColourObsolete);
        else
            json.null();
        json.endObject();
    }
    json.endArray();
    json.field("label23", results.Label23Visible);
    json.field("maintenance", s.lastSearchWasMaintenance());
    json.key("fields").beginObject();
    for (RequirementField f : core::kAllRequirementFields) {
        const core::NumericTextBox& box = s.input().box(f);
        json.key(core::FieldName(f))
            .beginObject()
            .field("text", box.text)
            .field("colour", box.colour)
            .endObject();
    }
    json.endObject();
    WriteCurrent(json, s, click);
    json.endObject();
    json.finish();
}

void WriteTable(std::ostream& out, bool listOnly, const core::SelectionSession& s,
                const std::vector<core::Message>& messages, const ClickReport& click) {
    if (!listOnly) {
        out << "Search case: ";
        if (s.lastSearchCase())
            out << *s.lastSearchCase();
        else
            out << "none";
        out << '\n';
    }
    if (s.lastSearchWasMaintenance())
        out << "Maintenance code entered: nothing was searched.\n";
    if (s.lastActionRefused())
        out << "Refused.\n";
    for (const core::Message& m : messages)
        out << "Message " << m.key << ": " << m.text << '\n';
    const core::ResultTable& results = s.results();
    out << std::left << std::setw(5) << "Row" << std::setw(7) << "Index" << std::setw(34) << "Grid"
        << std::setw(22) << "" << std::right << std::setw(10) << "Throttle" << std::setw(10) << "p bar"
        << '\n';
    for (std::size_t g = 0; g < results.grid.size(); ++g) {
        const core::GridRow& row = results.grid[g];
        out << std::left << std::setw(5) << g + 1;
        if (g < results.rows.size())
            out << std::setw(7) << results.rows[g].intRadKatalogindex;
        else
            out << std::setw(7) << "";
        out << std::setw(34) << row.cells[0] << std::setw(22) << row.cells[1];
        if (g < results.rows.size())
            out << std::right << std::setw(10) << results.rows[g].sngRadStrypning << std::setw(10)
                << results.rows[g].sngRadTryck;
        out << (row.obsolete ? "  (obsolete)" : "") << '\n';
    }
    if (results.Label23Visible)
        out << "-U: unrestricted versions listed\n";
    if (!click.clicked) {
        out << "No motor selected.\n";
        return;
    }
    const core::DetailPanel& p = s.panel();
    out << "\nCurrent motor (row " << click.row << ", column " << click.column
        << "): " << s.current().strCurrentBenamning << '\n';
    const std::pair<const char*, const std::string*> labels[] = {{"Label17", &p.Label17},
                                                                 {"MaxeffektR", &p.MaxeffektR},
                                                                 {"NMaxeffR", &p.NMaxeffR},
                                                                 {"MmaxeffR", &p.MmaxeffR},
                                                                 {"QmR", &p.QmR},
                                                                 {"MinStartMomentR", &p.MinStartMomentR},
                                                                 {"StallmomentR", &p.StallmomentR},
                                                                 {"Label15", &p.Label15},
                                                                 {"NtomgangR", &p.NtomgangR},
                                                                 {"ArbetstryckR", &p.ArbetstryckR},
                                                                 {"StrypningR", &p.StrypningR},
                                                                 {"RelativprisR", &p.RelativprisR},
                                                                 {"lblWeight", &p.lblWeight},
                                                                 {"lblProductNumber", &p.lblProductNumber},
                                                                 {"Label24", &p.Label24},
                                                                 {"lblClass", &p.lblClass}};
    for (const auto& [name, text] : labels)
        out << "  " << std::left << std::setw(18) << name << *text << '\n';
    if (s.lastInformation())
        out << "Information: " << *s.lastInformation() << '\n';
    if (click.mountingPositions)
        out << "The mounting-position window would open.\n";
}

} // namespace

int RunSearchCommand(CliContext& ctx, const CommandArgs& args, bool listOnly) {
    const std::string_view command = listOnly ? "list" : "search";
    // --obsolete belongs to the listing only: the search view ignores the obsolete filter.
    const CommandOptions options(command, args, SessionOptionNames(listOnly));
    const SessionScript script = SessionScript::Read(options, command, !listOnly);
    for (const std::string& warning : script.warnings)
        Warn(ctx, warning);

    core::RecordingMessageSink sink;
    core::SelectionSession session(ctx.catalogue, ctx.language, sink);
    script.Prepare(session, options);
    const int select = script.select;
    const int column = script.column;

    // Only the command's own search or listing, and the clicks after it, report messages.
    const std::size_t firstMessage = sink.messages.size();
    script.Press(session);
    ClickReport click;
    if (!session.lastActionRefused() && !session.lastSearchWasMaintenance()) {
        const int mountingBeforeClick = session.requests().openMountingPositions;
        click.clicked = session.ClickCell(select, column);
        click.row = select;
        click.column = column;
        click.mountingPositions =
            click.clicked && session.requests().openMountingPositions > mountingBeforeClick;
    }
    const std::vector<core::Message> messages(
        sink.messages.begin() + static_cast<std::ptrdiff_t>(firstMessage), sink.messages.end());
    if (ctx.json)
        WriteJson(*ctx.out, listOnly, session, messages, click);
    else
        WriteTable(*ctx.out, listOnly, session, messages, click);
    return 0;
}

} // namespace airmotor::cli
