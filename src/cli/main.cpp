#include "cli/AnalyseCommand.h"
#include "cli/CalculatorCommands.h"
#include "cli/CatalogueCommands.h"
#include "cli/CliContext.h"
#include "cli/ContextBuilder.h"
#include "cli/DiagramCommands.h"
#include "cli/MaintenanceCommands.h"
#include "cli/ModelCommands.h"
#include "cli/PrintCommands.h"
#include "cli/SearchCommand.h"

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
};

// One line per command.
constexpr Command kCommands[] = {
    {"catalogue", true, RunCatalogueCommand},
    {"texts", true, RunTextsCommand},
    {"make-database", false, RunMakeDatabaseCommand},
    {"factors", false, RunFactorsCommand},
    {"axis", false, RunAxisCommand},
    {"decimals", false, RunDecimalsCommand},
    {"fit", false, RunFitCommand},
    {"search", true, RunSearch},
    {"list", true, RunList},
    {"diagram", true, RunDiagramCommand},
    {"drawing", true, RunDrawingCommand},
    {"analyse", true, RunAnalyseCommand},
    {"export", true, RunExportCommand},
    {"datasheet", true, RunDatasheetCommand},
    {"catalogue-table", true, RunCatalogueTableCommand},
    {"wagon", true, RunWagonCommand},
    {"rotating-mass", true, RunRotatingMassCommand},
    {"gear", false, RunGearCommand},
    {"measurement", false, RunMeasurementCommand},
    {"save-motor", true, RunSaveMotorCommand},
};

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
        for (std::string_view painting : {"diagram", "drawing", "datasheet", "catalogue-table"})
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
    try {
        const GlobalOptions options = ParseGlobalOptions(arguments);
        const Command* command = nullptr;
        for (const auto& c : kCommands)
            if (c.name == options.command)
                command = &c;
        if (command == nullptr)
            throw UsageError("unknown command \"" + options.command + "\"");
        CliContext context;
        if (command->needsCatalogue)
            context = BuildContext(options, QCoreApplication::applicationDirPath().toStdString(), warnings);
        context.json = options.json;
        context.out = &out;
        context.warnings = &warnings;
        const int status = command->run(context, options.args);
        std::cerr << warnings.str() << std::flush;
        std::cout << out.str() << std::flush;
        return status;
    } catch (const UsageError& e) {
        std::cerr << "airmotor-cli: " << OneLine(e.what()) << '\n';
        return 2;
    } catch (const std::exception& e) { // FolderError and anything unforeseen
        std::cerr << "airmotor-cli: " << OneLine(e.what()) << '\n';
        return 1;
    }
}
