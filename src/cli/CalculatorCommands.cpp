#include "cli/CalculatorCommands.h"

#include "cli/CommandOptions.h"
#include "cli/Json.h"
#include "cli/SessionScript.h"
#include "core/calculators/CalculatorModel.h"
#include "core/session/SelectionSession.h"

#include <sstream>

namespace airmotor::cli {
namespace {

// Option names of the input boxes, and the JSON names of the results, curves and axes.
struct CommandNames {
    std::string_view command;
    std::vector<std::pair<std::string_view, int>> inputs; // option, Text1 index
    std::vector<std::string_view> values;                 // in the order the result boxes are filled
    std::vector<std::string_view> curves;                 // time, distance, velocity, acceleration
    std::vector<std::string_view> axes;
};

const CommandNames kWagon{"wagon",
                          {{"i", 0},
                           {"eta", 1},
                           {"D", 2},
                           {"v0", 3},
                           {"m", 4},
                           {"FR", 5},
                           {"alfa", 6},
                           {"T", 7},
                           {"Nd", 11},
                           {"mu", 12}},
                          {"s", "v", "a"},
                          {"t", "s", "v", "a"},
                          {"time", "distance", "velocity", "acceleration"}};
const CommandNames kRotatingMass{"rotating-mass",
                                 {{"i", 0}, {"eta", 1}, {"w0", 2}, {"J", 3}, {"Mres", 4}, {"c", 5}, {"T", 7}},
                                 {"angle", "angleVelocity", "angleAcceleration", "rpm"},
                                 {"t", "revolutions", "rpm", "acceleration"},
                                 {"time", "angle", "speed", "acceleration"}};

std::vector<std::string> SplitOwn(const std::string& text, std::string_view command) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ',');)
        parts.push_back(part);
    if (!text.empty() && text.back() == ',')
        parts.emplace_back();
    if (parts.size() != 3)
        throw UsageError(std::string(command) + ": --own takes three comma-separated texts MS,MST,N0");
    return parts;
}

// The catalogue index of the motor the options make current; 0 with own data.
int CurrentMotorIndex(CliContext& ctx, const CommandOptions& options, std::string_view command) {
    bool session = false;
    for (std::string_view name : SessionOptionNames(true))
        session = session || options.has(name);
    const int choices = int(options.has("index")) + int(options.has("own")) + int(session);
    if (choices > 1)
        throw UsageError(std::string(command) +
                         ": --index, --own and the session options exclude each other");
    if (options.has("own"))
        return 0;
    if (options.has("index"))
        return options.integer("index", 0, 1, ctx.catalogue().intAntalMotorer);

    core::RecordingMessageSink sink;
    core::SelectionSession s(ctx.catalogue(), ctx.language, sink);
    const bool current = DriveSession(ctx, s, options, command) && s.current().katalogIndex > 0;
    if (!current)
        throw UsageError(std::string(command) + ": no motor is current for that row and column");
    return s.current().katalogIndex;
}

void WriteAxis(JsonWriter& json, const std::optional<core::AxisRecord>& axis) {
    if (!axis) {
        json.null();
        return;
    }
    json.beginObject().field("maximum", axis->maximum).field("step", axis->step).endObject();
}

void WriteJson(JsonWriter& json, const CommandNames& names, const core::CalculatorModel& model,
               const core::CalculationResult& result, const std::vector<core::Message>& messages) {
    const bool refused = result.refusal != 0;
    json.beginObject().field("command", names.command).field("refused", refused);
    json.key("messages").beginArray();
    for (const auto& m : messages)
        json.beginObject().field("key", m.key).field("text", m.text).endObject();
    json.endArray();
    json.key("motor")
        .beginObject()
        .field("Ms", model.motor().Ms)
        .field("Mst", model.motor().Mst)
        .field("n0", model.motor().n0)
        .field("Text1_13", model.box(core::kMotorTypeBox).text)
        .endObject();
    json.key("boxes").beginObject();
    for (int k = 0; k < core::kBoxCount; ++k)
        if (model.isInput(k))
            json.key("Text1_" + std::to_string(k))
                .beginObject()
                .field("text", model.box(k).text)
                .field("colour", model.box(k).colour)
                .endObject();
    json.endObject();
    json.key("results").beginObject();
    for (int k : model.layout().resultBoxes)
        json.field("Text1_" + std::to_string(k), model.box(k).text);
    json.endObject();
    json.key("values");
    if (refused) {
        json.null();
    } else {
        json.beginObject();
        for (std::size_t v = 0; v < names.values.size(); ++v)
            json.field(names.values[v], result.shown.at(v).second);
        json.endObject();
    }
    json.field("heading", model.heading());
    json.key("curves");
    if (refused) {
        json.null();
    } else {
        const core::CalculatorCurves& c = result.curves;
        const core::CurveArray* arrays[] = {&c.time, &c.distance, &c.velocity, &c.acceleration};
        json.beginObject();
        for (std::size_t a = 0; a < 4; ++a)
            json.key(names.curves[a]).array(std::vector<float>(arrays[a]->begin(), arrays[a]->end()));
        json.endObject();
    }
    json.key("axes");
    if (refused) {
        json.null();
    } else {
        const core::CalculatorAxes& x = result.axes;
        const std::optional<core::AxisRecord>* axes[] = {&x.time, &x.distance, &x.velocity, &x.acceleration};
        json.beginObject();
        for (std::size_t a = 0; a < 4; ++a) {
            json.key(names.axes[a]);
            WriteAxis(json, *axes[a]);
        }
        json.endObject();
    }
    json.endObject();
    json.finish();
}

int RunCalculator(CliContext& ctx, const CommandArgs& args, const core::CalculatorLayout& layout,
                  const CommandNames& names) {
    std::vector<std::string_view> optionNames = SessionOptionNames(true);
    optionNames.insert(optionNames.end(), {"index", "own"});
    for (const auto& input : names.inputs)
        optionNames.push_back(input.first);
    const CommandOptions options(names.command, args, optionNames);
    const int index = CurrentMotorIndex(ctx, options, names.command);
    std::vector<std::string> own;
    if (options.has("own"))
        own = SplitOwn(*options.text("own"), names.command);

    core::RecordingMessageSink sink;
    core::CalculatorModel model(layout, ctx.language.strText, sink);
    model.Load(!own.empty());
    // As the search does: a box that takes a different text from the one given says so.
    const auto type = [&](std::string_view option, int box, const std::string& given) {
        if (auto warning =
                RetypingWarning(names.command, option, given, core::CalculatorModel::KeyedText(given)))
            Warn(ctx, *warning);
        model.Type(box, given);
    };
    if (own.empty()) {
        model.ShowMotor(ctx.catalogue(), index, true);
    } else {
        for (int k = 0; k < 3; ++k)
            type("own", core::kStallTorqueBox + k, own[static_cast<std::size_t>(k)]);
    }
    for (const auto& [option, box] : names.inputs)
        if (const auto text = options.text(option))
            type(option, box, *text);
    const core::CalculationResult result = model.Calculate(ctx.catalogue(), index);

    if (ctx.json) {
        JsonWriter json(*ctx.out);
        WriteJson(json, names, model, result, sink.messages);
        return 0;
    }
    std::ostream& out = *ctx.out;
    out << "Motor: " << model.box(core::kMotorTypeBox).text << " (Ms " << model.motor().Ms << " Nm, Mst "
        << model.motor().Mst << " Nm, n0 " << model.motor().n0 << " r/min)\n";
    for (const auto& m : sink.messages)
        out << "Message " << m.key << ": " << m.text << '\n';
    if (result.refusal == 0) {
        out << model.heading() << '\n';
        for (std::size_t v = 0; v < names.values.size(); ++v)
            out << "  " << names.values[v] << " = " << model.box(result.shown[v].first).text << '\n';
    }
    return 0;
}

} // namespace

const std::vector<std::pair<std::string_view, int>>& CalculatorInputs(bool wagon) {
    return wagon ? kWagon.inputs : kRotatingMass.inputs;
}

const std::vector<std::string_view>& CalculatorResults(bool wagon) {
    return wagon ? kWagon.values : kRotatingMass.values;
}

int RunWagonCommand(CliContext& ctx, const CommandArgs& args) {
    return RunCalculator(ctx, args, core::WagonLayout(), kWagon);
}

int RunRotatingMassCommand(CliContext& ctx, const CommandArgs& args) {
    return RunCalculator(ctx, args, core::RotatingMassLayout(), kRotatingMass);
}

} // namespace airmotor::cli
