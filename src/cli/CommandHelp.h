#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace airmotor::cli {

// What `airmotor-cli COMMAND --help` prints. Each command's entry stands beside its registration,
// so a new command brings its help with it.
struct CommandHelp {
    std::string_view usage;   // the command line after the program name: "axis --value NUMBER --axis X|Y"
    std::string_view summary; // one sentence
    std::string_view options; // "  --name VALUE  meaning" lines; empty when the command takes none
    std::string_view example; // one complete command line
};

// The options of the commands that drive the main window's requirement input (search, list, diagram).
inline constexpr std::string_view kSessionOptionsHelp =
    "  --torque NM, --speed RPM, --pressure BAR\n"
    "                        the working point and the available pressure, typed as into the window\n"
    "  --start-torque NM, --stall-min NM, --stall-max NM, --free-min RPM, --free-max RPM\n"
    "                        optional bounds on start torque, stall torque and free speed\n"
    "  --series TKM,TKS,PGW  the series ticked (a comma-separated list)\n"
    "  --rotation clockwise|counter-clockwise|reversible\n"
    "  --steel standard|stainless, --brake without|with, --lubrication lubricated|lube-free\n"
    "  --tks-steel standard|stainless, --tks-lubrication lubricated|lube-free\n"
    "  --tks-versions restricted|both|fallback\n"
    "                        the series options as the window offers them\n"
    "  --select ROW, --column COL, --alternative N\n"
    "                        the result row and column clicked, and a gear alternative\n";

inline constexpr std::string_view kProgramName = "airmotor-cli";
inline constexpr std::string_view kGlobalUsage = "[--folder DIR] [--language LANG] [--json]";

// "usage: airmotor-cli [global options] <usage>": appended to a usage error of that command.
std::string UsageLine(const CommandHelp& help);
void PrintCommandHelp(std::ostream& out, const CommandHelp& help);
// The program's help: global options, then one line per command (name and summary).
void PrintProgramHelpHead(std::ostream& out);
void PrintCommandSummary(std::ostream& out, std::string_view name, const CommandHelp& help);
void PrintProgramHelpTail(std::ostream& out);

} // namespace airmotor::cli
