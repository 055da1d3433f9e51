#pragma once

#include "app/selection/MainWindow.h"
#include "app/shell/StartWindow.h"
#include "core/common/MessageSink.h"

#include <QObject>
#include <QPointer>

namespace airmotor::app {

struct ProgramContext;

// Moves between the start window and the main window for one run of the program.
class ProgramShell final : public QObject {
    Q_OBJECT
public:
    // splashMs: the start window's pause when a language is stored (3000 in the program, 0 in tests).
    ProgramShell(ProgramContext& program, core::MessageSink& messages, int splashMs,
                 QObject* parent = nullptr);
    ~ProgramShell() override;

    // Loads the catalogue and opens the start window. False, after a message naming the database and
    // what is wrong with it, when the program cannot run; finished(1) follows.
    bool start();

    StartWindow* startWindow() const { return start_; }
    MainWindow* mainWindow() const { return main_; }

signals:
    void mainWindowOpened(airmotor::app::MainWindow* window);
    // The program ends with this exit status.
    void finished(int status);

private:
    void openStartWindow();
    void openMainWindow();
    void backToStart();
    void exitProgram();
    void fail(const std::string& text);

    ProgramContext& program;
    core::MessageSink& messages;
    int splashMs;
    QPointer<StartWindow> start_;
    QPointer<MainWindow> main_;
};

} // namespace airmotor::app
