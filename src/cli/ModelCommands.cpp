#include "cli/ModelCommands.h"

#include "cli/AxisJson.h"
#include "cli/CommandOptions.h"
#include "cli/Json.h"
#include "core/format/NumberParsing.h"
#include "core/model/LeastSquares.h"
#include "core/model/MotorCurves.h"
#include "core/model/PressureFactors.h"

#include <sstream>

namespace airmotor::cli {
namespace {

// "a,b,c" as exactly `count` single-precision numbers.
std::vector<float> SingleList(const std::string& option, const std::string& text, std::size_t count) {
    std::vector<float> values;
    std::size_t start = 0;
    while (true) {
        const auto comma = text.find(',', start);
        const std::string part =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const auto value = core::ParseSingle(part);
        if (!value)
            throw UsageError(option + ": \"" + part + "\" " + core::WhyNotSingle(part));
        values.push_back(*value);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    if (values.size() != count)
        throw UsageError(option + ": " + std::to_string(count) + " comma-separated numbers expected");
    return values;
}

} // namespace

int RunFactorsCommand(CliContext& context, const CommandArgs& args) {
    const CommandOptions options("factors", args, {"designation", "pressure", "previous"});
    const std::string designation = options.required("designation");
    options.required("pressure");
    const float pressure = *options.single("pressure");
    core::PressureFactorValues factors;
    if (const auto previous = options.text("previous")) {
        const auto v = SingleList("factors: --previous", *previous, 3);
        factors = {v[0], v[1], v[2]};
    }
    core::PressureFactors(pressure, designation, factors);
    std::ostream& out = *context.out;
    if (context.json) {
        JsonWriter json(out);
        json.beginObject()
            .field("sngKm", factors.sngKm)
            .field("sngKn", factors.sngKn)
            .field("sngKl", factors.sngKl)
            .endObject()
            .finish();
    } else {
        out.precision(9);
        out << "sngKm  " << factors.sngKm << "\nsngKn  " << factors.sngKn << "\nsngKl  " << factors.sngKl
            << '\n';
    }
    return 0;
}

int RunAxisCommand(CliContext& context, const CommandArgs& args) {
    const CommandOptions options("axis", args, {"value", "axis"});
    options.required("value");
    const double value = *options.number("value");
    const std::string axis = options.required("axis");
    if (axis != "X" && axis != "Y")
        throw UsageError("axis: --axis must be X or Y");
    const auto record = core::NiceAxis(value, axis[0]);
    std::ostream& out = *context.out;
    if (context.json) {
        JsonWriter json(out);
        if (record)
            WriteAxis(json, *record);
        else
            json.beginObject().field("unchanged", true).endObject();
        json.finish();
    } else if (record) {
        out.precision(17);
        out << "maximum    " << record->maximum << "\nstep       " << record->step << "\nlabelStep  "
            << record->labelStep << "\ndivisions  " << record->divisions << '\n';
    } else {
        out << "unchanged (value <= 0)\n";
    }
    return 0;
}

int RunDecimalsCommand(CliContext& context, const CommandArgs& args) {
    const CommandOptions options("decimals", args, {"value"});
    options.required("value");
    const int decimals = core::DecimalsFor(*options.number("value"));
    if (context.json) {
        JsonWriter json(*context.out);
        json.beginObject().field("decimals", decimals).endObject().finish();
    } else {
        *context.out << "decimals  " << decimals << '\n';
    }
    return 0;
}

int RunFitCommand(CliContext& context, const CommandArgs& args) {
    const CommandOptions options("fit", args, {"degree", "points"});
    options.required("degree");
    const int degree = *options.integer("degree");
    // The catalogue keeps coefficients 0..4; a few more leave room for experiments, not for
    // a runaway allocation.
    if (degree < 0 || degree > 10)
        throw UsageError("fit: --degree must be a whole number from 0 to 10");
    std::vector<float> x{0.0f};
    std::vector<float> y{0.0f};
    std::istringstream points(options.required("points"));
    std::string pair;
    while (points >> pair) {
        const auto v = SingleList("fit: --points", pair, 2);
        x.push_back(v[0]);
        y.push_back(v[1]);
    }
    const int n = static_cast<int>(x.size()) - 1;
    const std::vector<float> c = core::FitPolynomial(x, y, n, degree);
    if (context.json) {
        JsonWriter json(*context.out);
        json.beginObject().key("coefficients").array(c).endObject().finish();
    } else {
        context.out->precision(9);
        for (std::size_t k = 0; k < c.size(); ++k)
            *context.out << "c" << k << "  " << c[k] << '\n';
    }
    return 0;
}

} // namespace airmotor::cli
