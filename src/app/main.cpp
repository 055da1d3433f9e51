#include "app/MessageBoxSink.h"
#include "app/ProgramContext.h"
#include "app/ProgramShell.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Air Motor Selector");
    QApplication::setOrganizationName("AirMotorSelector");
    QApplication::setStyle(QStyleFactory::create("Fusion"));

    airmotor::app::ProgramContext program;
    // The program folder: the command-line text when one is given, otherwise the program's own folder.
    const QString commandLine = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    program.folder =
        airmotor::platform::ResolveProgramFolder(commandLine, QApplication::applicationDirPath());

    airmotor::app::MessageBoxSink messages;
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
