#include "cli/AnalyseCommand.h"
#include "cli/BatchCommand.h"
#include "cli/CalculatorCommands.h"
#include "cli/CatalogueCommands.h"
#include "cli/CliContext.h"
#include "cli/CommandHelp.h"
#include "cli/CompareCommand.h"
#include "cli/ContextBuilder.h"
#include "cli/DiagramCommands.h"
#include "cli/MaintenanceCommands.h"
#include "cli/ModelCommands.h"
#include "cli/MotorListCommand.h"
#include "cli/PrintCommands.h"
#include "cli/ProductionCommand.h"
#include "cli/SearchCommand.h"
#include "core/common/ProgramVersion.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <iostream>
#include <memory>
#include <sstream>
#include <string_view>

using namespace airmotor::cli;

namespace {

using Handler = int (*)(CliContext&, const CommandArgs&);

struct Command {
    std::string_view name;
    bool needsCatalogue; // builds the full context: folder, settings, texts, catalogue
    Handler run;
    CommandHelp help;
};

// One entry per command: its name, what it needs, its handler and its help.
constexpr Command kCommands[] = {
    {"catalogue",
     true,
     RunCatalogueCommand,
     {"catalogue", "The loaded motor catalogue: count, load warnings and every motor's designation.",
      "  init URL           create the catalogue schema in an empty PostgreSQL database\n"
      "  push FILE.db URL   replace the PostgreSQL catalogue by the file's, in one transaction\n"
      "  pull URL FILE.db   write the PostgreSQL catalogue into the file (replaced atomically)\n"
      "  history DESIGNATION  the writes of that motor in the loaded catalogue, newest first\n"
      "                     (PostgreSQL only: a database file keeps backup copies instead)\n"
      "  URL                postgresql://USER@HOST/DB?sslmode=verify-full; the password comes from\n"
      "                     ~/.pgpass or PGPASSWORD, never from the URL\n",
      "airmotor-cli catalogue --json"}},
    {"texts",
     true,
     RunTextsCommand,
     {"texts", "The 229 texts of the chosen language and the unit factors.", "",
      "airmotor-cli --language German texts"}},
    {"make-database",
     false,
     RunMakeDatabaseCommand,
     {"make-database DATA_DIR OUT.db",
      "Build the catalogue database from the CSV sources; every record is checked first.",
      "  DATA_DIR   the folder holding motors.csv, texts.csv and imperial.csv\n"
      "  OUT.db     the database written (replaced atomically, only when every record is sound)\n",
      "airmotor-cli make-database data build/bin/Zevodida.db"}},
    {"import-catalogue",
     false,
     RunImportCatalogueCommand,
     {"import-catalogue OLD.mdb OUT.db",
      "Make a catalogue database from a legacy Access catalogue (tblMotordata, tblLanguage, "
      "tblImperialUnits), checked as make-database checks its sources.",
      "  OLD.mdb    the legacy catalogue (.mdb or .accdb), read only\n"
      "  OUT.db     the database written (replaced atomically, only when every row is sound)\n",
      "airmotor-cli import-catalogue Zevodida.mdb Zevodida.db --json"}},
    {"factors",
     false,
     RunFactorsCommand,
     {"factors --designation TEXT --pressure BAR [--previous TEXT]",
      "The pressure factors Km, Kn and Kl of a designation at a supply pressure.",
      "  --designation TEXT  the motor designation (its family chooses the factors)\n"
      "  --pressure BAR      the supply pressure\n"
      "  --previous TEXT     the designation whose factors were computed before\n",
      "airmotor-cli factors --designation \"TKS05-BS12\" --pressure 5 --json"}},
    {"axis",
     false,
     RunAxisCommand,
     {"axis --value NUMBER --axis X|Y",
      "A rounded diagram axis for a largest value: maximum, step and divisions.",
      "  --value NUMBER  the largest value to show\n"
      "  --axis X|Y      the speed axis (X) or a value axis (Y)\n",
      "airmotor-cli axis --value 12.3 --axis Y"}},
    {"decimals",
     false,
     RunDecimalsCommand,
     {"decimals --value NUMBER", "The number of decimals used to show a value.",
      "  --value NUMBER  the value to show\n", "airmotor-cli decimals --value 12.5"}},
    {"fit",
     false,
     RunFitCommand,
     {"fit --degree N --points \"X,Y X,Y ...\"", "An unweighted least-squares polynomial through points.",
      "  --degree N      the polynomial degree\n"
      "  --points TEXT   the points as x,y pairs separated by blanks\n",
      "airmotor-cli fit --degree 2 --points \"0,1 1,3 2,7 3,13\" --json"}},
    {"search",
     true,
     RunSearch,
     {"search --torque NM --speed RPM --pressure BAR [OPTIONS]",
      "Search the catalogue for a duty as the main window does and show the result rows.",
      kSessionOptionsHelp, "airmotor-cli search --torque 10 --speed 3000 --pressure 6 --json"}},
    {"batch",
     true,
     RunBatchCommand,
     {"batch < REQUESTS.jsonl",
      "Answer web API requests, one JSON object a line on the standard input, one answer a line.",
      "  each line   {\"op\": \"search\", ...the request body}; op is search, list, compare, wagon,\n"
      "              rotating-mass, motor (with index), texts or catalogue\n"
      "  answers     the web API's JSON, SI units; a refused or bad line answers {\"error\": ...}\n",
      "airmotor-cli batch < duties.jsonl > answers.jsonl"}},
    {"list",
     true,
     RunList,
     {"list [--series S] [--obsolete all|only-obsolete|only-new] [OPTIONS]",
      "List a series as the catalogue view does, without a duty.",
      "  --obsolete all|only-obsolete|only-new\n"
      "                        which motors of the series are listed\n"
      "  (and the options of search)\n",
      "airmotor-cli list --series PGW --obsolete all"}},
    {"diagram",
     true,
     RunDiagramCommand,
     {"diagram [search options] --out FILE.svg|.png|.pdf [--size WxH]",
      "Draw the performance diagram of a result row into a file.",
      "  --out FILE      the picture to write (.svg, .png or .pdf)\n"
      "  --size WxH      its size in pixels (default 1400x1200)\n"
      "  (and the options of search; --select and --column choose the motor)\n",
      "airmotor-cli diagram --torque 10 --speed 3000 --out diagram.svg"}},
    {"drawing",
     true,
     RunDrawingCommand,
     {"drawing --index N [--column COL] --out FILE.png [--size WxH]",
      "Render a motor's dimension drawing into a PNG file.",
      "  --index N       the motor's catalogue index\n"
      "  --column COL    the result column clicked (chooses the mounting variant)\n"
      "  --out FILE.png  the picture to write\n"
      "  --size WxH      its size in pixels (default 1400x1200)\n",
      "airmotor-cli drawing --index 17 --out drawing.png"}},
    {"datasheet",
     true,
     RunDatasheetCommand,
     {"datasheet [search options] [--mode complete|diagram|drawing] [--copies N] --out FILE.pdf",
      "Print the data sheet of a result row to PDF, one file per print job.",
      "  --mode M        complete printout, only the diagram, or only the dimension drawing\n"
      "  --copies N      copies, each its own job: FILE.pdf, FILE-2.pdf, ...\n"
      "  --alternative N the diagram alternative 0..5\n"
      "  --out FILE.pdf  the first job's file\n"
      "  (and the options of search; --select and --column choose the motor)\n",
      "airmotor-cli datasheet --torque 10 --speed 3000 --out sheet.pdf"}},
    {"catalogue-table",
     true,
     RunCatalogueTableCommand,
     {"catalogue-table --out FILE.pdf", "Print the whole catalogue table to PDF, one file per page job.",
      "  --out FILE.pdf  the first job's file: FILE.pdf, FILE-2.pdf, ...\n",
      "airmotor-cli catalogue-table --out table.pdf"}},
    {"wagon",
     true,
     RunWagonCommand,
     {"wagon [--index K | --own MS,MST,N0 | search options] [--i X --eta X --D X --v0 X --m X --FR X "
      "--alfa X --T X --Nd X --mu X]",
      "Calculate a wagon driven by a motor through a gear and a wheel, as the wagon window does.",
      "  --index K        the motor by catalogue index\n"
      "  --own MS,MST,N0  own motor data: stall torque, start torque, free speed\n"
      "  --i ... --mu     the window's input boxes, typed as into the window\n"
      "  (or the options of search with --select and --column)\n",
      "airmotor-cli wagon --own 10,8,3000 --m 1000 --Nd 5000 --json"}},
    {"rotating-mass",
     true,
     RunRotatingMassCommand,
     {"rotating-mass [--index K | --own MS,MST,N0 | search options] [--i X --eta X --w0 X --J X --Mres X "
      "--c X --T X]",
      "Calculate a rotating mass accelerated by a motor through a gear, as the rotating-mass window does.",
      "  --index K        the motor by catalogue index\n"
      "  --own MS,MST,N0  own motor data: stall torque, start torque, free speed\n"
      "  --i ... --T      the window's input boxes, typed as into the window\n"
      "  (or the options of search with --select and --column)\n",
      "airmotor-cli rotating-mass --index 17 --J 0.5 --json"}},
    {"gear",
     false,
     RunGearCommand,
     {"gear --designation D [--d1 X] [--module X] [--starts X] [--pressure-angle X] [--efficiency PCT] "
      "[--speed N --torque T]",
      "Decode the gear of a designation and, with a speed and torque, its losses.",
      "  --designation D       the motor designation\n"
      "  --d1, --module, --starts, --pressure-angle\n"
      "                        worm gear data, typed as into the editor\n"
      "  --efficiency PCT      the gear efficiency when the designation gives none (default 100)\n"
      "  --speed N --torque T  the point at which the losses are computed\n",
      "airmotor-cli gear --designation \"TKM20-A5-UAA 247\" --speed 1000 --torque 10 --json"}},
    {"measurement",
     false,
     RunMeasurementCommand,
     {"measurement FILE.DAT [editor options] [--companion] [--calibrate]",
      "Load a measurement file as the editor does, convert the readings and fit the curves.",
      "  --designation D, --utv U, --efficiency PCT, --d1/--module/--starts/--pressure-angle X,\n"
      "  --kn/--km/--kl X, --degree-m N, --degree-l N\n"
      "                        the editor's boxes, typed as into the editor\n"
      "  --companion           also load the companion (\"-U.DAT\") measurement\n"
      "  --calibrate           run the target-value calibration\n",
      "airmotor-cli measurement motor.DAT --calibrate --json"}},
    {"save-motor",
     true,
     RunSaveMotorCommand,
     {"save-motor FILE.DAT --replace|--add [measurement options] [--part-numbers A,B,C] [--price X] "
      "[--drawing NAME] [--start-speed N] [--max-speed N]",
      "Fit a measurement file and write the motor into the catalogue (a backup copy is made first).",
      "  --replace | --add     replace the motor of the same designation, or add a new one\n"
      "  --part-numbers A,B,C, --price X, --drawing NAME, --start-speed N, --max-speed N\n"
      "                        the catalogue fields written beside the curves\n",
      "airmotor-cli save-motor motor.DAT --add --json"}},
    {"motor-list",
     true,
     RunMotorListCommand,
     {"motor-list WORKBOOK.xlsx --rows FIRST-LAST --update|--print [--out DIR]",
      "Work through rows of the workbook's sheet \"Motorer\": fit each row's measurement file and add the "
      "motor to the catalogue, or print its diagram.",
      "  --rows FIRST-LAST     the sheet rows worked through (row 1 is the header)\n"
      "  --update              add each row's motor and write its figures and new index back into the row\n"
      "  --print               print each row's diagram to DIR/row-N.pdf\n"
      "  --out DIR             the folder of the printed diagrams (default: the current folder)\n",
      "airmotor-cli motor-list Motorlista.xlsx --rows 2-10 --update --json"}},
    {"analyse",
     true,
     RunAnalyseCommand,
     {"analyse [search options] [--select ROW | --all] [--hours H] [--energy KWH_PER_M3] [--price P]",
      "The duty analysis of result rows: margins, power, air consumption and air cost per year.",
      "  --select ROW | --all  one result row (default 1) or every row\n"
      "  --hours H             running hours per year (default 2000)\n"
      "  --energy E            compressor energy per m3 of free air, kWh (default 0.12)\n"
      "  --price P             energy price per kWh (default 0.15)\n"
      "  (and the options of search)\n",
      "airmotor-cli analyse --torque 10 --speed 3000 --pressure 5 --all --json"}},
    {"export",
     true,
     RunExportCommand,
     {"export [search options] --out FILE.csv|FILE.xlsx",
      "Write the result rows with their duty analysis to CSV or to an .xlsx workbook.",
      "  --out FILE  the file written: .csv (comma-separated) or .xlsx (workbook)\n  (and the options of "
      "search)\n",
      "airmotor-cli export --torque 10 --speed 3000 --out rows.csv"}},
    {"production",
     true,
     RunProductionCommand,
     {"production --index K [--production FILE]",
      "Production test records of a catalogue motor: which were used and the comparison table of the "
      "diagram.",
      "  --index K          the motor's catalogue index\n"
      "  --production FILE  the production database (SQLite); default: the one in Produktionsdata/\n",
      "airmotor-cli production --index 17 --production records.sqlite --json"}},
    {"compare",
     true,
     RunCompareCommand,
     {"compare [search options] --rows 1,3,4 [--out FILE.svg|.png|.pdf]",
      "Up to four result rows side by side: key figures, duty analysis and the best value of each figure.",
      "  --rows R,R,...  the result rows to compare (at most four, each once)\n"
      "  --out FILE      also write their torque curves with the working point (.svg, .png), or an\n"
      "                  A4 sheet with the curves and the table (.pdf)\n"
      "  (and the options of search)\n",
      "airmotor-cli compare --torque 10 --speed 3000 --pressure 6 --rows 1,2,3 --json"}},
};

const Command* FindCommand(std::string_view name) {
    for (const auto& c : kCommands)
        if (c.name == name)
            return &c;
    return nullptr;
}

void PrintProgramHelp(std::ostream& out) {
    PrintProgramHelpHead(out);
    for (const auto& c : kCommands)
        PrintCommandSummary(out, c.name, c.help);
    PrintProgramHelpTail(out);
}

// Messages go to stderr as one line, whatever the underlying text holds.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = ' ';
    return text;
}

} // namespace

int main(int argc, char** argv) {
    // The picture commands paint text and need fonts, hence a GUI application (never a window:
    // offscreen unless told otherwise); the others stay with the lighter core application.
    bool paints = false;
    for (int i = 1; i < argc; ++i)
        for (std::string_view painting :
             {"diagram", "drawing", "datasheet", "catalogue-table", "motor-list", "compare"})
            paints = paints || std::string_view(argv[i]) == painting;
    if (paints && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A failing command writes exactly one line to stderr: the GUI start-up notes of Qt (runtime
    // folder, font cache) are left out, its critical errors are not.
    if (paints)
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::cerr << text.toStdString() << '\n';
        });
    std::unique_ptr<QCoreApplication> app = paints ? std::make_unique<QGuiApplication>(argc, argv)
                                                   : std::make_unique<QCoreApplication>(argc, argv);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // Output is held back until the command has succeeded: a failing command prints nothing on stdout.
    std::ostringstream out;
    std::ostringstream warnings;
    // Figures are written with '.', whatever locale a library may install as the global one.
    out.imbue(std::locale::classic());
    warnings.imbue(std::locale::classic());
    const Command* command = nullptr;
    try {
        const GlobalOptions options = ParseGlobalOptions(arguments);
        command = FindCommand(options.command);
        if (options.version) {
            std::cout << airmotor::core::VersionBanner(kProgramName) << std::flush;
            return 0;
        }
        if (options.help) {
            if (command != nullptr)
                PrintCommandHelp(std::cout, command->help);
            else if (options.command.empty())
                PrintProgramHelp(std::cout);
            else
                throw UsageError("unknown command \"" + options.command + "\" (" + std::string(kProgramName) +
                                 " --help lists the commands)");
            std::cout << std::flush;
            return 0;
        }
        if (command == nullptr)
            throw UsageError("unknown command \"" + options.command + "\" (" + std::string(kProgramName) +
                             " --help lists the commands)");
        CliContext context;
        // The history reads the loaded catalogue's location; the other tools name their own.
        const bool schemaTool = command->run == RunCatalogueCommand && IsCatalogueTool(options.args) &&
                                options.args.front() != "history";
        if (command->needsCatalogue && !schemaTool)
            context = BuildContext(options, QCoreApplication::applicationDirPath().toStdString(), warnings);
        context.json = options.json;
        context.out = &out;
        context.warnings = &warnings;
        const int status = command->run(context, options.args);
        std::cerr << warnings.str() << std::flush;
        std::cout << out.str() << std::flush;
        return status;
    } catch (const UsageError& e) {
        // One line still: the error, then how the command is called.
        std::cerr << "airmotor-cli: " << OneLine(e.what());
        if (command != nullptr)
            std::cerr << "; " << UsageLine(command->help);
        else
            std::cerr << "; usage: " << kProgramName << ' ' << kGlobalUsage << " COMMAND [OPTIONS]";
        std::cerr << '\n';
        return 2;
    } catch (const std::exception& e) { // FolderError and anything unforeseen
        std::cerr << "airmotor-cli: " << OneLine(e.what()) << '\n';
        return 1;
    }
}
