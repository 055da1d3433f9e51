#pragma once

#include "core/analysis/DutyAnalysis.h"
#include "core/language/Language.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace airmotor::app {

// "Air cost preferences": hours per year, the compressor's energy per m³ of free air, the
// energy price and its currency. OK keeps the dialog open with a message while an entry is not a valid
// figure.
class AirCostDialog final : public QDialog {
    Q_OBJECT
public:
    // Captions and messages in the language of the text table, which outlives the dialog.
    AirCostDialog(const core::AirCostInputs& cost, const core::TextTable& strText, QWidget* parent = nullptr);

    // The accepted figures (the given ones until OK succeeded).
    const core::AirCostInputs& cost() const { return cost_; }
    void accept() override;

private:
    core::AirCostInputs cost_;
    const core::TextTable& strText_;
    QLineEdit* txtHoursPerYear;
    QLineEdit* txtEnergyPerM3;
    QLineEdit* txtPricePerKWh;
    QLineEdit* txtCurrency;
    QLabel* lblAirCostError;
};

} // namespace airmotor::app
