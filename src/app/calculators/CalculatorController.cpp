#include "app/calculators/CalculatorController.h"

#include "app/calculators/CalculatorCapturePrinter.h"
#include "app/calculators/CalculatorWindow.h"
#include "app/diagrams/DiagramWindow.h"
#include "app/selection/CaptionApplier.h"
#include "app/selection/MainWindow.h"
#include "app/shell/AuxWindowPlacement.h"
#include "app/shell/ProgramContext.h"
#include "core/calculators/CalculatorDiagram.h"

#include <QAction>
#include <QApplication>

namespace airmotor::app {

namespace {
constexpr int kOpeningKeys[] = {209, 210, 213};
constexpr int kOwnDataHintKey = 214;
// The diagram window takes the first place beside the main window, the calculator the second.
constexpr int kCalculatorSlot = 1;
} // namespace

// What one calculator asks of the diagram window.
class CalculatorController::DiagramLink final : public core::CalculatorListener {
public:
    DiagramLink(CalculatorController& owner, int index) : owner_(owner), index_(index) {}
    void HideDiagram() override { owner_.diagram_.hide(); }
    void HideDiagramHelp() override { owner_.diagram_.setHelpButtonVisible(false); }
    void ShowCurves() override {
        owner_.showCurves(index_);
        owner_.diagram_.show();
    }
    void CurvesWithdrawn() override { owner_.withdrawCurves(index_); }

private:
    CalculatorController& owner_;
    int index_;
};

CalculatorController::CalculatorController(MainWindow& main, ProgramContext& program,
                                           core::MessageSink& messages, DiagramWindow& diagram)
    : QObject(&main), main_(main), program_(program), messages_(messages), diagram_(diagram),
      capturePrinter_(std::make_unique<CalculatorCapturePrinter>(messages, program.printer)),
      printer_(capturePrinter_.get()) {
    const core::CalculatorLayout* layouts[] = {&core::WagonLayout(), &core::RotatingMassLayout()};
    const bool allowed = main.ownMotorDataAllowed();
    for (int k = 0; k < 2; ++k) {
        models_[k] = std::make_unique<core::CalculatorModel>(*layouts[k], program.language.strText, messages);
        links_[k] = std::make_unique<DiagramLink>(*this, k);
        models_[k]->SetListener(links_[k].get());
        models_[k]->Load(allowed);
        windows_[k] = new CalculatorWindow(
            *models_[k], program.catalogue, [this] { return currentMotor(); }, &main);
        connect(windows_[k], &CalculatorWindow::printRequested, this, [this, k] { print(k); });
    }
    connect(&main, &MainWindow::calculatorRequested, this, &CalculatorController::open);
    connect(&main, &MainWindow::languageChanged, this, &CalculatorController::applyTexts);
    connect(&main, &MainWindow::refreshed, this, &CalculatorController::motorMaybeChanged);
    connect(&main, &MainWindow::ownMotorDataToggled, this, &CalculatorController::setOwnMotorData);
    lastMotor_ = currentMotor();
    applyTexts();
}

CalculatorController::~CalculatorController() {
    for (auto& model : models_)
        model->SetListener(nullptr);
}

int CalculatorController::currentMotor() const {
    const core::SelectionSession& s = main_.session();
    return s.current().valid ? s.current().katalogIndex : 0;
}

void CalculatorController::open(int index) {
    if (index < 0 || index > 1)
        return;
    const core::TextTable& strText = program_.language.strText;
    std::string text;
    for (int key : kOpeningKeys)
        text += strText(key) + "\n";
    text += "\n" + strText(kOwnDataHintKey);
    messages_.show(core::Message{-1, text, core::MessageIcon::None, {}});
    windows_[1 - index]->hide();
    withdrawCurves(1 - index);
    CalculatorWindow& w = *windows_[index];
    w.model().DisablePrint();
    w.model().ShowMotor(program_.catalogue, currentMotor(), false);
    w.refresh();
    // Under the diagram window that shows its curves, clear of the duty fields and options as that
    // is; where the user moves it, it stays for the session.
    PlaceOnFirstShow(&w, &main_, main_.inputArea(), w.sizeHint(), kCalculatorSlot);
    w.show();
    w.raise();
    w.activateWindow();
}

void CalculatorController::setOwnMotorData(bool allowed) {
    for (int k = 0; k < 2; ++k) {
        models_[k]->SetOwnMotorData(allowed);
        models_[k]->ShowMotor(program_.catalogue, currentMotor(), false);
        windows_[k]->refresh();
    }
}

void CalculatorController::motorMaybeChanged() {
    const int motor = currentMotor();
    if (motor == lastMotor_)
        return;
    lastMotor_ = motor;
    // Like a row click: new motor boxes, results emptied, Print disabled; the diagram window stays.
    for (int k = 0; k < 2; ++k) {
        models_[k]->ShowMotor(program_.catalogue, motor, true);
        windows_[k]->refresh();
    }
}

void CalculatorController::showCurves(int index) {
    const core::CalculatorModel& model = *models_[static_cast<std::size_t>(index)];
    if (!model.curves())
        return;
    diagram_.view().showCalculatorPlot(core::MakeCalculatorPlot(
        model.layout(), *model.curves(), program_.language.strText, main_.session().intPressureMode()));
    plotted_ = index;
}

void CalculatorController::withdrawCurves(int index) {
    if (plotted_ != index)
        return;
    plotted_ = -1;
    if (!diagram_.view().calculatorPlot())
        return; // the motor diagram has taken the window back already
    diagram_.view().showMotorDiagram();
    if (currentMotor() == 0)
        diagram_.hide();
}

void CalculatorController::print(int index) {
    CalculatorWindow& w = *windows_[index];
    // The page shows this calculation's curves, even if the motor diagram was asked for since.
    showCurves(index);
    diagram_.setHelpButtonVisible(false);
    diagram_.show();
    QApplication::processEvents();
    printer_->printWindowAndDiagram(w, w.model().layout().windowPrint, diagram_.view(),
                                    w.model().layout().diagramPrint);
}

void CalculatorController::applyTexts() {
    for (int k = 0; k < 2; ++k) {
        ApplyCaptions(windows_[k], program_.language.strText, program_.captionContext());
        windows_[k]->applyFixedCaptions(program_.language.strText);
        models_[k]->ApplyCaptions();
        windows_[k]->refresh();
    }
}

} // namespace airmotor::app
