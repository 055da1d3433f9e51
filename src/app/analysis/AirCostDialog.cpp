#include "app/analysis/AirCostDialog.h"

#include "app/selection/CaptionApplier.h"
#include "app/shell/TextConversion.h"
#include "core/analysis/AirCostText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace airmotor::app {

AirCostDialog::AirCostDialog(const core::AirCostInputs& cost, const core::TextTable& strText, QWidget* parent)
    : QDialog(parent), cost_(cost), strText_(strText) {
    setObjectName("frmAirCost");
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(this);
    intro->setObjectName("lblAirCostIntro");
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* form = new QFormLayout;
    const auto field = [&](const char* name, const char* captionName, double value) {
        auto* edit = new QLineEdit(QString::number(value, 'g', 10), this);
        edit->setObjectName(name);
        auto* caption = new QLabel(this);
        caption->setObjectName(captionName);
        caption->setBuddy(edit);
        form->addRow(caption, edit);
        return edit;
    };
    txtHoursPerYear = field("txtHoursPerYear", "lblHoursPerYear", cost.hoursPerYear);
    txtEnergyPerM3 = field("txtEnergyPerM3", "lblEnergyPerM3", cost.energyPerM3);
    txtPricePerKWh = field("txtPricePerKWh", "lblPricePerKWh", cost.pricePerKWh);
    txtCurrency = new QLineEdit(Q(cost.currency), this);
    txtCurrency->setObjectName("txtCurrency");
    auto* currencyCaption = new QLabel(this);
    currencyCaption->setObjectName("lblCurrency");
    currencyCaption->setBuddy(txtCurrency);
    form->addRow(currencyCaption, txtCurrency);
    layout->addLayout(form);
    lblAirCostError = new QLabel(this);
    lblAirCostError->setObjectName("lblAirCostError");
    lblAirCostError->setWordWrap(true);
    lblAirCostError->setStyleSheet("color: #b00000;");
    lblAirCostError->hide();
    layout->addWidget(lblAirCostError);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("cmdOK");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cmdCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &AirCostDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AirCostDialog::reject);
    layout->addWidget(buttons);
    ApplyCaptions(this, strText, {});
}

void AirCostDialog::accept() {
    const auto read = core::ReadAirCostTexts(
        txtHoursPerYear->text().toStdString(), txtEnergyPerM3->text().toStdString(),
        txtPricePerKWh->text().toStdString(), txtCurrency->text().toStdString(), strText_);
    if (const auto* error = std::get_if<std::string>(&read)) {
        lblAirCostError->setText(Q(*error));
        lblAirCostError->show();
        return;
    }
    cost_ = std::get<core::AirCostInputs>(read);
    QDialog::accept();
}

} // namespace airmotor::app
