#include "app/diagrams/DiagramController.h"

#include "app/diagrams/DiagramWindow.h"
#include "app/diagrams/DrawingWindow.h"
#include "app/selection/MainWindow.h"
#include "app/selection/SessionDriver.h"
#include "app/shell/AuxWindowPlacement.h"
#include "app/shell/HelpWindow.h"
#include "app/shell/ProgramContext.h"
#include "core/common/Keys.h"
#include "core/diagram/SessionDiagramInput.h"

#include <QApplication>

namespace airmotor::app {

DiagramController::DiagramController(MainWindow& main, ProgramContext& program)
    : QObject(&main), main_(main), program_(program) {
    diagram_ = new DiagramWindow(
        [this] {
            core::MotorDiagramInput in = core::DiagramInputFromSession(main_.session(), program_.language);
            if (decorator_)
                decorator_(in);
            return in;
        },
        &main);
    drawing_ = new DrawingWindow(program.folder.folder, program.language.strText, &main);
    connect(&main, &MainWindow::diagramRequested, this, &DiagramController::showDiagram);
    connect(&main, &MainWindow::diagramWindowRequested, this, [this] {
        diagram_->redraw();
        place(diagram_);
        diagram_->show();
        diagram_->raise();
    });
    connect(&main, &MainWindow::drawingRequested, this, &DiagramController::showDrawingOnly);
    connect(&main, &MainWindow::hideDiagramAndDrawingRequested, this, &DiagramController::hideAll);
    connect(&main, &MainWindow::languageChanged, this, &DiagramController::applyTexts);
    connect(&main, &MainWindow::refreshed, this, &DiagramController::followCurrentMotor);
    connect(diagram_, &DiagramWindow::helpRequested, this, [this](int topic) {
        main_.help().openTopic(topic);
        main_.help().show();
        main_.help().raise();
    });
    connect(drawing_, &DrawingWindow::mainWindowRequested, this, [this] {
        main_.raise();
        main_.activateWindow();
    });
    applyTexts();
}

DiagramController::~DiagramController() = default;

void DiagramController::applyTexts() {
    const core::TextTable& t = program_.language.strText;
    diagram_->setTexts(Q(t(core::TextKey::MotorDiagram)), Q(t(core::TextKey::DiagramHelpTip)));
    drawing_->setTexts(Q(t(core::TextKey::DimensionDrawing)), Q(t(core::TextKey::ZoomOut)),
                       Q(t(core::TextKey::LinkToDrawing)));
    diagram_->redraw();
}

void DiagramController::showDiagram() {
    const core::SelectionSession& session = main_.session();
    if (session.results().intValdRad == 0 || !session.current().valid)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    diagram_->view().showMotorDiagram();
    diagram_->setHelpButtonVisible(true);
    diagram_->redraw();
    QApplication::restoreOverrideCursor();
    showCurrentDrawing();
    applyTexts();
    place(diagram_);
    diagram_->show();
    diagram_->raise();
}

void DiagramController::showDrawingOnly() {
    if (showCurrentDrawing())
        drawing_->raise();
}

bool DiagramController::showCurrentDrawing() {
    const core::SelectionSession& session = main_.session();
    const int k = session.current().katalogIndex;
    if (!session.current().valid || k < 1 || k > session.catalogue().intAntalMotorer)
        return false;
    place(drawing_);
    drawing_->showDrawing(session.catalogue().strMattskiss[static_cast<std::size_t>(k)],
                          session.current().intValdKolumn);
    return true;
}

void DiagramController::followCurrentMotor() {
    // Open windows show the current motor: a click or a key in the grid must not leave them on the last one.
    const core::CurrentMotor& current = main_.session().current();
    const std::pair shown{current.valid ? current.katalogIndex : 0, int(current.intValdKolumn)};
    if (shown == lastShown_)
        return;
    lastShown_ = shown;
    if (diagram_->isVisible())
        diagram_->redraw();
    if (drawing_->isVisible())
        showCurrentDrawing();
}

void DiagramController::place(QWidget* window) {
    // The diagram first, the drawing under it: both leave the duty fields and the option panels in
    // view, so that an option can be changed while the diagram shows its effect.
    const int slot = window == diagram_ ? 0 : 1;
    PlaceOnFirstShow(window, &main_, main_.inputArea(), window->size(), slot);
}

void DiagramController::hideAll() {
    if (diagram_)
        diagram_->hide();
    if (drawing_)
        drawing_->hide();
}

} // namespace airmotor::app
