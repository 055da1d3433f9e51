#pragma once

#include "cli/CliContext.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace airmotor::cli {

// The "--name value" (or "--name=value") options of one command. Anything else on the line —
// an unknown option, a missing value, a stray word — is a usage error.
class CommandOptions final {
public:
    CommandOptions(std::string_view command, const CommandArgs& args,
                   const std::vector<std::string_view>& names);

    bool has(std::string_view name) const { return values_.count(std::string(name)) != 0; }
    std::optional<std::string> text(std::string_view name) const;
    // The option's text as a number; a malformed number is a usage error naming the option.
    std::optional<float> single(std::string_view name) const;
    std::optional<double> number(std::string_view name) const;
    std::optional<int> integer(std::string_view name) const;
    // The whole number, or `fallback` when absent; outside low..high is a usage error.
    int integer(std::string_view name, int fallback, int low, int high) const;
    // Throws a usage error when the option is absent.
    std::string required(std::string_view name) const;

private:
    std::string command_;
    std::map<std::string, std::string> values_;
};

} // namespace airmotor::cli
