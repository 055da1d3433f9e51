#include "cli/SearchCommand.h"

#include "cli/AxisJson.h"
#include "cli/CommandOptions.h"
#include "cli/Json.h"
#include "cli/SessionScript.h"
#include "core/common/Keys.h"
#include "core/common/MessageSink.h"
#include "core/results/SearchSummary.h"
#include "core/session/CaptionKeys.h"
#include "core/session/SelectionSession.h"

#include <algorithm>
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

// Characters on the terminal, not bytes: captions carry umlauts and accents.
std::size_t DisplayWidth(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string Padded(const std::string& text, std::size_t width) {
    const std::size_t shown = DisplayWidth(text);
    return shown >= width ? text : text + std::string(width - shown, ' ');
}

// The main window's caption of a control, on one line.
std::string Caption(const CliContext& ctx, std::string_view control) {
    core::CaptionContext context;
    context.priceListDate = ctx.settings.strSetting1;
    for (const core::CaptionEntry& entry : core::CaptionKeys()) {
        if (entry.window != "LUFTMOTOR" || entry.control != control)
            continue;
        std::string text = core::CaptionText(entry, ctx.language.strText, context);
        std::replace(text.begin(), text.end(), '\n', ' ');
        return text;
    }
    return std::string(control);
}

void WriteTable(std::ostream& out, const CliContext& ctx, bool listOnly, const core::SelectionSession& s,
                const std::vector<core::Message>& messages, const ClickReport& click) {
    const core::LanguageState& language = ctx.language;
    const core::ResultTable& results = s.results();
    if (s.lastSearchWasMaintenance())
        out << "Maintenance code entered: nothing was searched.\n";
    else if (!s.lastActionRefused() && (listOnly || s.lastSearchCase()))
        out << core::SearchSummary(language, listOnly ? std::nullopt : s.lastSearchCase(), results.rowCount(),
                                   s.input().values.sngTillgLuftTryck)
            << '\n';
    for (const core::Message& m : messages)
        out << m.text << '\n';

    if (results.grid.empty())
        return;
    // The result grid: its two header texts over the rows, numbered as the grid numbers them.
    const std::string headers[2] = {language.strText(core::kGridHeaderKey0),
                                    language.strText(core::kGridHeaderKey1)};
    std::size_t firstWidth = DisplayWidth(headers[0]);
    for (const core::GridRow& row : results.grid)
        firstWidth = std::max(firstWidth, DisplayWidth(row.cells[0]));
    const std::size_t numberWidth = std::to_string(results.grid.size()).size() + 2;
    out << '\n' << Padded("", numberWidth) << Padded(headers[0], firstWidth + 3) << headers[1] << '\n';
    for (std::size_t g = 0; g < results.grid.size(); ++g) {
        const core::GridRow& row = results.grid[g];
        const std::string second = Trimmed(row.cells[1]);
        out << Padded(std::to_string(g + 1), numberWidth)
            << (second.empty() ? row.cells[0] : Padded(row.cells[0], firstWidth + 3) + second) << '\n';
    }
    if (results.Label23Visible)
        out << Caption(ctx, "Label23") << '\n';
    if (!click.clicked)
        return;

    // The detail panel of the current motor, each figure under the window's own caption.
    const core::DetailPanel& p = s.panel();
    out << '\n' << s.current().strCurrentBenamning << '\n' << p.Label17 << '\n';
    // In the window's order: the maximum-power point, the other figures, then regulation and ordering.
    const std::pair<std::string, const std::string*> figures[] = {
        {Caption(ctx, "Label4"), &p.MmaxeffR},
        {Caption(ctx, "Label8"), &p.NMaxeffR},
        {Caption(ctx, "Label7"), &p.MaxeffektR},
        {Caption(ctx, "Label9"), &p.QmR},
        {Caption(ctx, "Label6"), &p.MinStartMomentR},
        {p.Label15, &p.NtomgangR},
        {Caption(ctx, "Label10_3"), &p.StallmomentR},
        {Caption(ctx, "Label10_4"), &p.lblWeight},
        {Caption(ctx, "Label10_1"), &p.ArbetstryckR},
        {Caption(ctx, "Label10_2"), &p.StrypningR},
        {Caption(ctx, "Label10_0"), &p.RelativprisR},
        {Caption(ctx, "Label19"), &p.lblProductNumber},
        {p.Label24, &p.lblClass}};
    std::size_t captionWidth = 0;
    for (const auto& [caption, value] : figures)
        captionWidth = std::max(captionWidth, DisplayWidth(caption));
    for (const auto& [caption, value] : figures) {
        const std::string shown = Trimmed(*value);
        if (!shown.empty())
            out << "  " << Padded(caption, captionWidth + 2) << shown << '\n';
    }
    if (s.lastInformation())
        out << '\n' << *s.lastInformation() << '\n';
    if (click.mountingPositions)
        out << '\n' << language.strText(core::TextKey::MountingPositionQuestion) << '\n';
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
    core::SelectionSession session(ctx.catalogue(), ctx.language, sink);
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
    std::vector<core::Message> messages(sink.messages.begin() + static_cast<std::ptrdiff_t>(firstMessage),
                                        sink.messages.end());
    if (const auto refusal = session.pressureRefusal())
        messages.push_back(*refusal);
    if (ctx.json)
        WriteJson(*ctx.out, listOnly, session, messages, click);
    else
        WriteTable(*ctx.out, ctx, listOnly, session, messages, click);
    return 0;
}

} // namespace airmotor::cli
