#pragma once

#include "core/calculators/CalculatorModel.h"
#include "core/common/MessageSink.h"

#include <QObject>

#include <array>
#include <memory>

namespace airmotor::app {

class CalculatorPrinter;
class CalculatorWindow;
class DiagramWindow;
class MainWindow;
struct ProgramContext;

// Wires the two calculator windows to the main window: the buttons Command2(0, 1) with their
// opening message, mnuOwnMotorData, a new current motor, the language, and the diagram window F2,
// which shows the curves of the open calculator's results, and never those of another motor or of
// a calculator no longer open.
class CalculatorController final : public QObject {
    Q_OBJECT
public:
    CalculatorController(MainWindow& main, ProgramContext& program, core::MessageSink& messages,
                         DiagramWindow& diagram);
    ~CalculatorController() override;

    CalculatorWindow& window(int index) { return *windows_.at(static_cast<std::size_t>(index)); }
    // Print goes through window capture on the program's printer unless another printer is set.
    void setPrinter(CalculatorPrinter& printer) { printer_ = &printer; }

    // Command2(index) of the main window: message, then the window at the top left, the other hidden.
    void open(int index);
    void setOwnMotorData(bool allowed);
    void print(int index);

private:
    class DiagramLink;
    int currentMotor() const;
    void motorMaybeChanged();
    void showCurves(int index);
    // Takes calculator `index`'s curves out of the diagram window, which goes back to the motor
    // diagram, or away when no motor is current.
    void withdrawCurves(int index);
    void applyTexts();

    MainWindow& main_;
    ProgramContext& program_;
    core::MessageSink& messages_;
    DiagramWindow& diagram_;
    std::unique_ptr<CalculatorPrinter> capturePrinter_;
    CalculatorPrinter* printer_ = nullptr;
    std::array<std::unique_ptr<core::CalculatorModel>, 2> models_;
    std::array<std::unique_ptr<DiagramLink>, 2> links_;
    std::array<CalculatorWindow*, 2> windows_{};
    int lastMotor_ = 0;
    int plotted_ = -1; // the calculator whose curves the diagram window holds
};

} // namespace airmotor::app
