#include "cli/SearchCommand.h"

#include "cli/CommandOptions.h"
#include "cli/Json.h"
#include "core/common/MessageSink.h"
#include "core/selection/SelectionSession.h"

#include <array>
#include <iomanip>
#include <optional>
#include <sstream>

namespace airmotor::cli {
namespace {

using core::RequirementField;

struct FieldOption {
    std::string_view option;
    RequirementField field;
};

// In the order the fields are entered: a later field's change rule acts on an earlier one.
constexpr std::array<FieldOption, 8> kFieldOptions = {{
    {"torque", RequirementField::ArbetsMomentB},
    {"speed", RequirementField::ArbetsVarvtalB},
    {"start-torque", RequirementField::MinStartmomentB},
    {"stall-min", RequirementField::StallmomentMinB},
    {"stall-max", RequirementField::StallmomentMaxB},
    {"free-min", RequirementField::TomgVarvMinB},
    {"free-max", RequirementField::TomgVarvMaxB},
    {"pressure", RequirementField::TillgLuftTryckB},
}};

// Index of text among the choices; a usage error otherwise.
int Choice(const CommandOptions& options, std::string_view command, std::string_view name,
           std::initializer_list<std::string_view> choices) {
    const auto given = options.text(name);
    int index = 0;
    for (std::string_view c : choices) {
        if (given == std::string(c))
            return index;
        ++index;
    }
    std::string list;
    for (std::string_view c : choices)
        list += (list.empty() ? "" : "|") + std::string(c);
    throw UsageError(std::string(command) + ": --" + std::string(name) + " must be one of " + list);
}

std::array<bool, 3> ParseSeries(const std::string& text, std::string_view command) {
    std::array<bool, 3> ticks{false, false, false};
    std::stringstream stream(text);
    std::string item;
    while (std::getline(stream, item, ',')) {
        if (item == "TKM")
            ticks[0] = true;
        else if (item == "TKS")
            ticks[1] = true;
        else if (item == "PGW")
            ticks[2] = true;
        else if (!item.empty())
            throw UsageError(std::string(command) + ": --series takes TKM, TKS and PGW, not \"" + item +
                             "\"");
    }
    return ticks;
}

int IntegerOption(const CommandOptions& options, std::string_view name, int fallback, int low, int high,
                  std::string_view command) {
    const std::optional<int> value = options.integer(name);
    if (!value)
        return fallback;
    if (*value < low || *value > high)
        throw UsageError(std::string(command) + ": --" + std::string(name) + " out of range");
    return *value;
}

void WriteAxis(JsonWriter& json, std::string_view name, const core::AxisRecord& axis) {
    json.key(name)
        .beginObject()
        .field("maximum", axis.maximum)
        .field("step", axis.step)
        .field("labelStep", axis.labelStep)
        .field("divisions", axis.divisions)
        .endObject();
}

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
        WriteAxis(json, "speed", scale->speed);
        WriteAxis(json, "power", scale->power);
        WriteAxis(json, "torque", scale->torque);
        WriteAxis(json, "air", scale->air);
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
    std::initializer_list<std::string_view> searchNames = {
        "torque",       "speed",    "start-torque", "stall-min",  "stall-max",
        "free-min",     "free-max", "pressure",     "series",     "rotation",
        "steel",        "brake",    "lubrication",  "tks-steel",  "tks-lubrication",
        "tks-versions", "select",   "column",       "alternative"};
    std::initializer_list<std::string_view> listNames = {
        "torque",       "speed",    "start-torque", "stall-min", "stall-max",
        "free-min",     "free-max", "pressure",     "series",    "rotation",
        "steel",        "brake",    "lubrication",  "tks-steel", "tks-lubrication",
        "tks-versions", "obsolete", "select",       "column",    "alternative"};
    const CommandOptions options(command, args, listOnly ? listNames : searchNames);

    // Every option is checked before anything runs: a usage error prints nothing on stdout.
    std::optional<std::array<bool, 3>> series;
    if (const auto text = options.text("series"))
        series = ParseSeries(*text, command);
    std::optional<int> rotation, steel, brake, lubrication, tksSteel, tksLubrication, tksVersions, obsolete;
    if (options.has("rotation"))
        rotation = Choice(options, command, "rotation", {"clockwise", "counter-clockwise", "reversible"});
    if (options.has("steel"))
        steel = Choice(options, command, "steel", {"standard", "stainless"});
    if (options.has("brake"))
        brake = Choice(options, command, "brake", {"without", "with"});
    if (options.has("lubrication"))
        lubrication = Choice(options, command, "lubrication", {"lubricated", "lube-free"});
    if (options.has("tks-steel"))
        tksSteel = Choice(options, command, "tks-steel", {"standard", "stainless"});
    if (options.has("tks-lubrication"))
        tksLubrication = Choice(options, command, "tks-lubrication", {"lubricated", "lube-free"});
    if (options.has("tks-versions"))
        tksVersions = Choice(options, command, "tks-versions", {"restricted", "both", "fallback"});
    if (options.has("obsolete"))
        obsolete = Choice(options, command, "obsolete", {"all", "only-obsolete", "only-new"});
    const int select = IntegerOption(options, "select", 1, -32768, 32767, command);
    const int column = IntegerOption(options, "column", 0, -32768, 32767, command);
    const int alternative = IntegerOption(options, "alternative", 0, 0, 5, command);

    core::RecordingMessageSink sink;
    core::SelectionSession session(ctx.catalogue, ctx.language, sink);
    session.Load();

    if (series)
        for (int k = 0; k < 3; ++k)
            if (session.options().chkMotortype[static_cast<std::size_t>(k)] !=
                (*series)[static_cast<std::size_t>(k)])
                session.ClickMotorType(k, (*series)[static_cast<std::size_t>(k)]);
    if (rotation)
        session.ClickRotation(*rotation);
    if (steel)
        session.ClickSteel(*steel);
    if (brake)
        session.ClickBrake(*brake);
    if (lubrication)
        session.ClickLubricated(*lubrication);
    if (tksSteel)
        session.ClickSteelTKS(*tksSteel);
    if (tksLubrication)
        session.ClickLubricatedTKS(*tksLubrication);
    if (tksVersions)
        session.ClickTKSRestricted(*tksVersions);
    if (obsolete)
        session.ClickObsoleteMotors(*obsolete);
    if (!listOnly)
        session.ClickCatalogue(1);

    for (const FieldOption& f : kFieldOptions) {
        const auto text = options.text(f.option);
        if (!text)
            continue;
        if (!session.input().box(f.field).enabled)
            session.EnableField(f.field);
        session.TypeIntoField(f.field, *text);
    }
    session.ApplyPressureLeaveRule();
    session.RunInterplayRules();
    session.SetDiagramAlternative(alternative);

    // Only the command's own search or listing, and the clicks after it, report messages.
    const std::size_t firstMessage = sink.messages.size();
    if (listOnly)
        session.ClickAllMotors();
    else
        session.ClickSearch();
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
