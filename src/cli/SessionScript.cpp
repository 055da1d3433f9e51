#include "cli/SessionScript.h"

#include "core/format/NumberParsing.h"
#include "core/format/NumericTextBox.h"
#include "core/results/SearchSummary.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <sstream>
#include <string>

namespace airmotor::cli {
namespace {

using core::RequirementField;

constexpr std::int16_t kBackspaceKey = 8;
constexpr std::int16_t kEnterKey = 13;

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

std::optional<int> Choice(const CommandOptions& options, std::string_view command, std::string_view name,
                          std::initializer_list<std::string_view> choices) {
    const auto given = options.text(name);
    if (!given)
        return std::nullopt;
    int index = 0;
    for (std::string_view c : choices) {
        if (*given == c)
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
    for (std::string item; std::getline(stream, item, ',');) {
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

} // namespace

std::string KeyFiltered(std::string_view given) {
    std::string typed;
    for (char c : given) {
        auto key = static_cast<std::int16_t>(static_cast<unsigned char>(c));
        if (!core::NumericKeyFilter(key))
            continue;
        if (key == kBackspaceKey) {
            if (!typed.empty())
                typed.pop_back();
        } else if (key != kEnterKey) {
            typed.push_back(static_cast<char>(key));
        }
    }
    return typed;
}

std::optional<std::string> RetypingWarning(std::string_view command, std::string_view option,
                                           const std::string& given, const std::string& typed) {
    std::string asGiven = given;
    std::replace(asGiven.begin(), asGiven.end(), ',', '.');
    if (typed == asGiven)
        return std::nullopt;
    return std::string(command) + ": --" + std::string(option) + " \"" + given + "\" is typed as \"" + typed +
           "\" (the field takes digits, '.', '-' and '*' only)";
}

namespace {

// The row to click: a whole number too large for the grid's row numbers names no row.
int SelectedRow(const CommandOptions& options, std::string_view command) {
    const auto text = options.text("select");
    if (text && core::LooksLikeWholeNumber(*text)) {
        const auto row = core::ParseInt64(*text);
        if (!row || *row < std::numeric_limits<std::int16_t>::min() ||
            *row > std::numeric_limits<std::int16_t>::max())
            throw UsageError(std::string(command) + ": --select " + *text + ": no such row");
    }
    return options.integer("select", 1, std::numeric_limits<std::int16_t>::min(),
                           std::numeric_limits<std::int16_t>::max());
}

} // namespace

SessionScript SessionScript::Read(const CommandOptions& options, std::string_view command, bool search) {
    SessionScript s;
    s.search = search;
    if (const auto text = options.text("series"))
        s.series = ParseSeries(*text, command);
    s.rotation = Choice(options, command, "rotation", {"clockwise", "counter-clockwise", "reversible"});
    s.steel = Choice(options, command, "steel", {"standard", "stainless"});
    s.brake = Choice(options, command, "brake", {"without", "with"});
    s.lubrication = Choice(options, command, "lubrication", {"lubricated", "lube-free"});
    s.tksSteel = Choice(options, command, "tks-steel", {"standard", "stainless"});
    s.tksLubrication = Choice(options, command, "tks-lubrication", {"lubricated", "lube-free"});
    s.tksVersions = Choice(options, command, "tks-versions", {"restricted", "both", "fallback"});
    s.obsolete = Choice(options, command, "obsolete", {"all", "only-obsolete", "only-new"});
    s.select = SelectedRow(options, command);
    s.column = options.integer("column", 0, -32768, 32767);
    s.alternative = options.integer("alternative", 0, 0, 5);
    for (const FieldOption& f : kFieldOptions) {
        const auto given = options.text(f.option);
        if (!given)
            continue;
        if (auto warning = RetypingWarning(command, f.option, *given, KeyFiltered(*given)))
            s.warnings.push_back(std::move(*warning));
    }
    return s;
}

void SessionScript::Prepare(core::SelectionSession& session, const CommandOptions& options) const {
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
    if (search)
        session.ClickCatalogue(1);

    for (const FieldOption& f : kFieldOptions) {
        const auto text = options.text(f.option);
        if (!text)
            continue;
        // The window only lets a user type into an enabled field.
        if (!session.input().box(f.field).enabled)
            session.EnableField(f.field);
        session.TypeIntoField(f.field, *text);
    }
    session.ApplyPressureLeaveRule();
    session.RunInterplayRules();
    session.SetDiagramAlternative(alternative);
}

void SessionScript::Press(core::SelectionSession& session) const {
    if (search)
        session.ClickSearch();
    else
        session.ClickAllMotors();
}

std::optional<SessionScript> PressSession(const CliContext& ctx, core::SelectionSession& session,
                                          const CommandOptions& options, std::string_view command) {
    SessionScript script = SessionScript::Read(options, command, AnyFieldOption(options));
    for (const std::string& warning : script.warnings)
        Warn(ctx, warning);
    script.Prepare(session, options);
    script.Press(session);
    if (session.lastActionRefused() || session.lastSearchWasMaintenance())
        return std::nullopt;
    return script;
}

bool DriveSession(const CliContext& ctx, core::SelectionSession& session, const CommandOptions& options,
                  std::string_view command) {
    const std::optional<SessionScript> script = PressSession(ctx, session, options, command);
    const bool current = script && session.ClickCell(script->select, script->column);
    // Outside its range the pressure gives no figures to draw or print, searched or listed.
    if (session.input().box(core::RequirementField::TillgLuftTryckB).colour != core::kColourValid)
        throw UsageError(std::string(command) + ": " + core::AllowedPressureText(ctx.language) +
                         "; nothing was written");
    return current;
}

std::vector<std::string_view> SessionOptionNames(bool withObsolete) {
    std::vector<std::string_view> names = {"torque",      "speed",     "start-torque",    "stall-min",
                                           "stall-max",   "free-min",  "free-max",        "pressure",
                                           "series",      "rotation",  "steel",           "brake",
                                           "lubrication", "tks-steel", "tks-lubrication", "tks-versions",
                                           "select",      "column",    "alternative"};
    if (withObsolete)
        names.emplace_back("obsolete");
    return names;
}

bool AnyFieldOption(const CommandOptions& options) {
    for (const FieldOption& f : kFieldOptions)
        if (options.has(f.option))
            return true;
    return false;
}

} // namespace airmotor::cli
