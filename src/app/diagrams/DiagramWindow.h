#pragma once

#include "core/calculators/CalculatorDiagram.h"
#include "core/diagram/MotorDiagram.h"

#include <QWidget>

#include <functional>
#include <optional>

class QPushButton;

namespace airmotor::app {

// The chart area of the diagram window: paints the motor diagram of whatever the provider returns,
// so every repaint (and so every resize) draws the current state.
class DiagramView final : public QWidget {
    Q_OBJECT
public:
    using InputProvider = std::function<core::MotorDiagramInput()>;
    explicit DiagramView(InputProvider provider, QWidget* parent = nullptr);

    // A calculator's curves replace the motor diagram until the motor diagram is asked for again.
    void showCalculatorPlot(core::CalculatorPlot plot);
    void showMotorDiagram();
    const std::optional<core::CalculatorPlot>& calculatorPlot() const { return calculator_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    InputProvider provider_;
    std::optional<core::CalculatorPlot> calculator_;
};

// The diagram window F2: an ordinary resizable window that redraws on every resize, hides on Enter
// or Esc, and asks for the diagram's help topic (button or F1).
class DiagramWindow final : public QWidget {
    Q_OBJECT
public:
    explicit DiagramWindow(DiagramView::InputProvider provider, QWidget* parent = nullptr);

    void redraw();
    // 1 = normal size (opened from a table click), 0 = maximised.
    int intDiagramFlag() const { return intDiagramFlag_; }
    void setTexts(const QString& title, const QString& helpTip);
    DiagramView& view() { return *view_; }
    // The calculators hide the help button before they calculate or print, so it is never captured.
    void setHelpButtonVisible(bool visible);

    static constexpr int kHelpTopic = 3;

signals:
    void helpRequested(int topic);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    DiagramView* view_;
    QPushButton* cmdHelp_;
    int intDiagramFlag_ = 1;
};

} // namespace airmotor::app
