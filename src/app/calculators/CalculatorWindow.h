#pragma once

#include "core/calculators/CalculatorModel.h"

#include <QWidget>

#include <array>
#include <functional>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace airmotor::app {

// A calculator window (frmWagonCalculation or frmRotatingMass): it forwards typing and the buttons
// to its model and mirrors the model's boxes, heading and Print state. The motor comes from the
// provider (catalogue index of the main window's current motor, 0 for none).
class CalculatorWindow final : public QWidget {
    Q_OBJECT
public:
    using MotorProvider = std::function<int()>;
    CalculatorWindow(core::CalculatorModel& model, const core::MotorCatalogue& catalogue, MotorProvider motor,
                     QWidget* parent = nullptr);

    core::CalculatorModel& model() { return model_; }
    // Re-reads the model into the widgets.
    void refresh();
    // The motor heading with the pressure of the catalogue figures, which the caption table cannot
    // give; after the captions.
    void applyFixedCaptions(const core::TextTable& strText);

signals:
    void printRequested();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build();
    void addRow(QGridLayout* grid, int& row, int box);
    void addHeading(QGridLayout* grid, int& row, int label);
    void edited(int box, const QString& text);

    core::CalculatorModel& model_;
    const core::MotorCatalogue& catalogue_;
    MotorProvider motor_;
    std::array<QLineEdit*, core::kBoxCount> Text1{};
    QLabel* heading_ = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    bool refreshing_ = false;
};

} // namespace airmotor::app
