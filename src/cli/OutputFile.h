#pragma once

#include "cli/CommandOptions.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace airmotor::cli {

// The --out file: required, not empty, of a type the command writes (a usage error otherwise); an
// existing path that is no regular file (a device, FIFO, folder) is never replaced.
std::string OutputFile(const CommandOptions& options, std::string_view command,
                       std::initializer_list<std::string_view> suffixes);

} // namespace airmotor::cli
