#include "cli/CommandHelp.h"

#include <iomanip>

namespace airmotor::cli {
namespace {

constexpr int kNameColumn = 16;

} // namespace

std::string UsageLine(const CommandHelp& help) {
    return "usage: " + std::string(kProgramName) + " " + std::string(kGlobalUsage) + " " +
           std::string(help.usage);
}

void PrintCommandHelp(std::ostream& out, const CommandHelp& help) {
    out << "Usage: " << kProgramName << ' ' << kGlobalUsage << ' ' << help.usage << "\n"
        << help.summary << "\n";
    if (!help.options.empty())
        out << "\nOptions:\n" << help.options;
    out << "\nExample:\n  " << help.example << "\n";
}

void PrintProgramHelpHead(std::ostream& out) {
    out << "Usage: " << kProgramName << ' ' << kGlobalUsage << " COMMAND [OPTIONS]\n"
        << "The catalogue, search and performance model of Air Motor Selector on the command line,\n"
           "as readable text or as one JSON object.\n\n"
           "Options (anywhere on the line):\n"
           "  --folder DIR       the program folder holding Zevodida.db and ZEVODIDA.DAT (default: the\n"
           "                     program's own folder, or the installed data folder share/airmotor)\n"
           "  --catalogue LOC    the catalogue: a database file or a postgresql:// URL instead of the\n"
           "                     folder's Zevodida.db (also AIRMOTOR_CATALOGUE; this option wins)\n"
           "  --language LANG    English, English_Imperial, German, French, Italian or Spanish, for this\n"
           "                     run only (the settings file is not rewritten)\n"
           "  --json             one JSON object on stdout instead of a readable table\n"
           "  -h, --help         this help; COMMAND --help shows a command's options and an example\n"
           "  --version          the program version and the date of the bundled catalogue\n\n"
           "Commands:\n";
}

void PrintCommandSummary(std::ostream& out, std::string_view name, const CommandHelp& help) {
    out << "  " << std::left << std::setw(kNameColumn) << name << ' ' << help.summary << '\n';
}

void PrintProgramHelpTail(std::ostream& out) {
    out << "\nExit status:\n"
           "  0 when the command ran, 1 when a folder, database or file cannot be read or written\n"
           "  (a full disk included), 2 for a usage error or refused input (one line on stderr,\n"
           "  nothing on stdout).\n\n"
           "Files:\n"
           "  ZEVODIDA.DAT is kept in the program folder; an installed program, or one whose folder\n"
           "  cannot be written, keeps it in ~/.config/airmotor.\n\n"
           "Example:\n  "
        << kProgramName << " search --torque 10 --speed 3000 --pressure 6 --json\n";
}

} // namespace airmotor::cli
