#include "cli/CommandOptions.h"

#include "core/format/NumberParsing.h"

namespace airmotor::cli {

CommandOptions::CommandOptions(std::string_view command, const CommandArgs& args,
                               const std::vector<std::string_view>& names)
    : command_(command) {
    auto known = [&](std::string_view n) {
        for (auto k : names)
            if (k == n)
                return true;
        return false;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0)
            throw UsageError(command_ + ": unexpected argument \"" + arg + "\"");
        std::string name = arg.substr(2);
        std::optional<std::string> value;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        if (!known(name))
            throw UsageError(command_ + ": unknown option --" + name);
        if (!value) {
            if (i + 1 >= args.size())
                throw UsageError(command_ + ": option --" + name + " needs a value");
            value = args[++i];
        }
        values_[name] = *value;
    }
}

std::optional<std::string> CommandOptions::text(std::string_view name) const {
    const auto it = values_.find(std::string(name));
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

std::string CommandOptions::required(std::string_view name) const {
    auto v = text(name);
    if (!v)
        throw UsageError(command_ + ": option --" + std::string(name) + " is required");
    return *v;
}

std::optional<float> CommandOptions::single(std::string_view name) const {
    const auto t = text(name);
    if (!t)
        return std::nullopt;
    if (auto v = core::ParseSingle(*t))
        return v;
    throw UsageError(command_ + ": --" + std::string(name) + " \"" + *t + "\" " + core::WhyNotSingle(*t));
}

std::optional<double> CommandOptions::number(std::string_view name) const {
    const auto t = text(name);
    if (!t)
        return std::nullopt;
    if (auto v = core::ParseDouble(*t))
        return v;
    throw UsageError(command_ + ": --" + std::string(name) + " \"" + *t + "\" " + core::WhyNotDouble(*t));
}

std::optional<int> CommandOptions::integer(std::string_view name) const {
    const auto t = text(name);
    if (!t)
        return std::nullopt;
    if (auto v = core::ParseInt(*t))
        return v;
    throw UsageError(command_ + ": --" + std::string(name) + " \"" + *t + "\" is not a whole number");
}

int CommandOptions::integer(std::string_view name, int fallback, int low, int high) const {
    const std::optional<int> value = integer(name);
    if (!value)
        return fallback;
    if (*value < low || *value > high)
        throw UsageError(command_ + ": --" + std::string(name) + " out of range");
    return *value;
}

} // namespace airmotor::cli
