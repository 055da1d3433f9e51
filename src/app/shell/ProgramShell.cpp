#include "app/shell/ProgramShell.h"

#include "app/analysis/ComparisonController.h"
#include "app/calculators/CalculatorController.h"
#include "app/diagrams/DiagramController.h"
#include "app/maintenance/CatalogueImportController.h"
#include "app/maintenance/MotorDataEditorController.h"
#include "app/maintenance/MotorDataEditorWindow.h"
#include "app/maintenance/ProductionController.h"
#include "app/printing/PrintController.h"
#include "app/selection/MainWindow.h"
#include "app/shell/CatalogueController.h"
#include "app/shell/HelpWindow.h"
#include "app/shell/ProgramContext.h"
#include "app/shell/StartWindow.h"

namespace airmotor::app {

ProgramShell::ProgramShell(ProgramContext& context, core::MessageSink& sink, int splashMilliseconds,
                           QObject* parent)
    : QObject(parent), program(context), messages(sink), splashMs(splashMilliseconds) {}

ProgramShell::~ProgramShell() {
    delete main_.data();
    delete start_.data();
}

bool ProgramShell::start() {
    // The main window says that the copy is read, once its texts are loaded.
    if (auto error = program.loadCatalogue(); error && !program.useOfflineCopy(*error)) {
        fail(*error);
        return false;
    }
    // A catalogue that had to be cut short must not look complete.
    for (const std::string& warning : program.loadWarnings)
        messages.show({.text = warning, .icon = core::MessageIcon::Warning, .title = "Air Motor Selector"});
    openStartWindow();
    return true;
}

void ProgramShell::fail(const std::string& text) {
    messages.show({.text = text, .icon = core::MessageIcon::Critical, .title = "Air Motor Selector"});
    emit finished(1);
}

void ProgramShell::openStartWindow() {
    delete start_.data();
    start_ = new StartWindow(program, splashMs);
    connect(start_, &StartWindow::proceed, this, &ProgramShell::openMainWindow);
    connect(start_, &StartWindow::abandoned, this, [this] {
        if (!main_)
            emit finished(0);
    });
    connect(start_, &StartWindow::settingsNotWritten, this, [this](const QString& text) {
        core::Message m;
        m.text = text.toStdString();
        m.icon = core::MessageIcon::Warning;
        messages.show(m);
    });
    start_->start();
}

void ProgramShell::openMainWindow() {
    if (main_)
        return;
    main_ = new MainWindow(program, messages);
    connect(main_, &MainWindow::backToStartRequested, this, &ProgramShell::backToStart);
    connect(main_, &MainWindow::exitRequested, this, &ProgramShell::exitProgram);
    if (auto error = main_->load()) {
        delete main_.data();
        fail(*error);
        return;
    }
    // The controllers are owned by the main window.
    auto* diagrams = new DiagramController(*main_, program);
    auto* printing = new PrintController(*main_, program, messages);
    new ProductionController(*main_, program, messages, *diagrams, *printing);
    new CalculatorController(*main_, program, messages, diagrams->diagram());
    auto* editor = new MotorDataEditorController(*main_, program, messages);
    connect(editor, &MotorDataEditorController::exitProgram, this, &ProgramShell::exitProgram);
    new CatalogueImportController(*main_, program, messages);
    new CatalogueController(*main_, program, messages, main_->preferences(), [editor] {
        return editor->window().isVisible() && editor->editor().readingsChanged();
    });
    new ComparisonController(*main_, program, messages);
    main_->show();
    if (start_) {
        start_->hide();
        start_->deleteLater();
    }
    emit mainWindowOpened(main_);
}

void ProgramShell::backToStart() {
    program.intTillbakaStart = true;
    if (main_) {
        emit main_->hideDiagramAndDrawingRequested();
        main_->close();
        main_->deleteLater();
        main_ = nullptr;
    }
    openStartWindow();
    program.intTillbakaStart = false;
}

void ProgramShell::exitProgram() {
    if (main_ && !program.intTillbakaStart) {
        emit main_->hideDiagramAndDrawingRequested();
        main_->help().close();
    }
    emit finished(0);
}

} // namespace airmotor::app
