#pragma once

#include "core/diagram/MotorDiagram.h"

#include <QObject>

#include <functional>
#include <utility>

class QWidget;

namespace airmotor::app {

class DiagramWindow;
class DrawingWindow;
class MainWindow;
struct ProgramContext;

// Wires the diagram window F2 and the dimension-drawing window to the main window: the diagram
// command (button, "show always diagram", alternatives), the drawing button, hiding both, help topic 3
// and the captions of the language.
class DiagramController final : public QObject {
    Q_OBJECT
public:
    DiagramController(MainWindow& main, ProgramContext& program);
    ~DiagramController() override;

    DiagramWindow& diagram() { return *diagram_; }
    DrawingWindow& drawing() { return *drawing_; }

    // MotordiagramB: nothing without a current row; otherwise draw, show the drawing and the diagram.
    void showDiagram();
    void showDrawingOnly();
    void hideAll();
    void applyTexts();
    // Adds to the session's diagram input what other controllers draw (the production comparison).
    void setInputDecorator(std::function<void(core::MotorDiagramInput&)> decorator) {
        decorator_ = std::move(decorator);
    }

private:
    // The current motor's dimension drawing; false when no catalogue motor is current.
    bool showCurrentDrawing();
    // Where the window opens the first time; later it stays where the user left it.
    void place(QWidget* window);
    void followCurrentMotor();

    MainWindow& main_;
    ProgramContext& program_;
    DiagramWindow* diagram_ = nullptr; // children of the main window, as this controller is
    DrawingWindow* drawing_ = nullptr;
    std::function<void(core::MotorDiagramInput&)> decorator_;
    std::pair<int, int> lastShown_{0, 0}; // catalogue index and column of the motor the windows show
};

} // namespace airmotor::app
