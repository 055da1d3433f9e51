#include "app/shell/MessageBoxSink.h"
#include "app/shell/ProgramContext.h"
#include "app/shell/ProgramShell.h"
#include "core/common/ProgramVersion.h"
#include "platform/files/UserPreferences.h"
#include "platform/storage/CatalogueChoice.h"

#include <QApplication>
#include <QStyleFactory>

#include <clocale>
#include <cstring>
#include <iostream>

namespace {

constexpr const char* kHelp =
    "Usage: airmotor [FOLDER]\n"
    "Air Motor Selector: choose a compressed-air motor from the catalogue for a duty (torque at a\n"
    "speed and the available pressure), see its figures, performance diagram and dimension drawing,\n"
    "and print data sheets.\n\n"
    "Arguments:\n"
    "  FOLDER       the program folder holding Zevodida.db, the drawings and the help pages\n"
    "               (default: the program's own folder, or the installed data folder share/airmotor)\n"
    "  -h, --help   this help\n"
    "  --version    the program version and the date of the bundled catalogue\n\n"
    "Catalogue:\n"
    "  AIRMOTOR_CATALOGUE (a database file or a postgresql:// URL), else the one chosen under\n"
    "  Options > Catalogue, else the folder's Zevodida.db.\n\n"
    "Files:\n"
    "  ZEVODIDA.DAT (price-list date and language) is kept in the program folder; an installed\n"
    "  program, or one whose folder cannot be written, keeps it in ~/.config/airmotor.\n\n"
    "See also: airmotor-cli(1) for the same catalogue and search on the command line.\n";

} // namespace

int main(int argc, char** argv) {
    // Answered before any window system is needed, so they work on a console and for man pages.
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << kHelp;
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << airmotor::core::VersionBanner("airmotor");
        return 0;
    }
    QApplication app(argc, argv);
    // Qt has just taken the desktop's locale for the C library. Every number path converts
    // without it; this only keeps a C library we call (drawings, printing) from printing "6,30".
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("Air Motor Selector");
    QApplication::setOrganizationName("AirMotorSelector");
    QApplication::setStyle(QStyleFactory::create("Fusion"));

    airmotor::app::ProgramContext program;
    // The program folder: the command-line text when one is given, otherwise the program's own folder.
    const QString commandLine = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    program.folder =
        airmotor::platform::ResolveProgramFolder(commandLine, QApplication::applicationDirPath());

    airmotor::app::MessageBoxSink messages;
    program.catalogueLocation = airmotor::platform::ChooseCatalogue(
        std::nullopt, airmotor::platform::UserPreferences(messages).catalogueLocation(),
        program.folder.databaseFile());
    airmotor::app::ProgramShell shell(program, messages, 3000);
    int status = 0;
    bool finished = false;
    QObject::connect(&shell, &airmotor::app::ProgramShell::finished, &app, [&](int code) {
        status = code;
        finished = true;
        QApplication::exit(code);
    });
    app.setQuitOnLastWindowClosed(false);
    if (!shell.start() || finished)
        return status != 0 ? status : 1;
    const int loop = app.exec();
    return finished ? status : loop;
}
