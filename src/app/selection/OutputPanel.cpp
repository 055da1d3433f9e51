#include "app/selection/OutputPanel.h"

#include "app/selection/SessionDriver.h"
#include "app/shell/BuiltFeatures.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace airmotor::app {

using core::SelectionSession;

namespace {

QPushButton* Button(const char* name, const char* text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

OutputPanel::OutputPanel(SessionDriver& sessionDriver, QWidget* parent)
    : QWidget(parent), driver(sessionDriver), enbart(new QButtonGroup(this)),
      alternatives(new QButtonGroup(this)), frameDiagramAlternativ(new QGroupBox("Standard", this)),
      calculators(new QWidget(this)) {
    auto* output = new QGroupBox(this);
    output->setObjectName("fraOutput");
    auto* grid = new QGridLayout(output);
    grid->setVerticalSpacing(3);
    const char* const choices[3] = {"Complete printout", "Only diagram", "Only dim. drawing"};
    for (int k = 0; k < 3; ++k) {
        EnbartDiagramB[k] = new QRadioButton(choices[k], output);
        EnbartDiagramB[k]->setObjectName(QString("EnbartDiagramB_%1").arg(k));
        enbart->addButton(EnbartDiagramB[k], k);
        grid->addWidget(EnbartDiagramB[k], k, 0, 1, 2);
    }
    connect(enbart, &QButtonGroup::idClicked, this,
            [this](int id) { this->driver.run([id](SelectionSession& s) { s.ClickOutputOption(id); }); });

    MotordiagramB = Button("MotordiagramB", "Diagram", output);
    drawing = Button("cmdDimensionDrawing", "Dimensional drawing", output);
    cboDiagramAlternativ = Button("cboDiagramAlternativ", "Diagram options", output);
    PrinterutskriftB = Button("PrinterutskriftB", "Print", output);
    TabellB = Button("TabellB", "Table", output);
    auto* table = TabellB;
    grid->addWidget(MotordiagramB, 3, 0);
    grid->addWidget(drawing, 3, 1);
    grid->addWidget(cboDiagramAlternativ, 4, 0);
    grid->addWidget(PrinterutskriftB, 4, 1);
    grid->addWidget(table, 5, 1);
    connect(MotordiagramB, &QPushButton::clicked, this, &OutputPanel::diagramRequested);
    connect(drawing, &QPushButton::clicked, this, &OutputPanel::drawingRequested);
    connect(PrinterutskriftB, &QPushButton::clicked, this, &OutputPanel::printRequested);
    connect(table, &QPushButton::clicked, this, &OutputPanel::tablePrintRequested);
    connect(cboDiagramAlternativ, &QPushButton::clicked, this,
            [this] { this->driver.run([](SelectionSession& s) { s.ToggleDiagramOptions(); }); });

    // Diagram alternatives, shown on request.
    frameDiagramAlternativ->setObjectName("frameDiagramAlternativ");
    auto* alt = new QVBoxLayout(frameDiagramAlternativ);
    alt->setSpacing(2);
    const char* const alternativeCaptions[6] = {"Standard",
                                                "T- P- and A- curves at diff. pressures",
                                                "Torque curves at diff.pressures",
                                                "Power curves at diff.pressures",
                                                "Air consumption curves at diff.pressures",
                                                "T- P- and A- curves at Available pressure"};
    for (int k = 0; k < 6; ++k) {
        optDiagramAlternativ[k] = new QRadioButton(alternativeCaptions[k], frameDiagramAlternativ);
        optDiagramAlternativ[k]->setObjectName(QString("optDiagramAlternativ_%1").arg(k));
        alternatives->addButton(optDiagramAlternativ[k], k);
        alt->addWidget(optDiagramAlternativ[k]);
    }
    optDiagramAlternativ[0]->setChecked(true);
    connect(alternatives, &QButtonGroup::idClicked, this, [this](int id) {
        this->driver.run([id](SelectionSession& s) { s.ClickDiagramAlternative(id); });
        if (motorCurrent)
            emit diagramRequested();
    });
    auto* close = Button("Command1", "Close", frameDiagramAlternativ);
    alt->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, this, [this] {
        this->driver.run([](SelectionSession& s) { s.HideDiagramOptions(); });
        emit diagramWindowRequested();
    });
    frameDiagramAlternativ->hide();

    // Calculators (their windows come with their own work) and the maintenance-only controls.
    auto* calc = new QVBoxLayout(calculators);
    calc->setContentsMargins(0, 0, 0, 0);
    for (int k = 0; k < 2; ++k) {
        auto* b = Button(k == 0 ? "Command2_0" : "Command2_1",
                         k == 0 ? "Calculation of air motor driven wagon"
                                : "Calculation of air motor driven rotating mass",
                         calculators);
        connect(b, &QPushButton::clicked, this, [this, k] { emit calculatorRequested(k); });
        b->setEnabled(kBuiltFeatures.calculators);
        calc->addWidget(b);
    }
    // In-house production comparison: shown only in the maintenance mode.
    chkProduktionsdata = new QCheckBox("Prod.data", calculators);
    chkProduktionsdata->setObjectName("chkProduktionsdata");
    connect(chkProduktionsdata, &QCheckBox::toggled, this, &OutputPanel::productionDataToggled);
    auto* productionRow = new QHBoxLayout;
    productionRow->addWidget(chkProduktionsdata);
    Command3 = Button("Command3", "Print Prod", calculators);
    connect(Command3, &QPushButton::clicked, this, &OutputPanel::printProductionRequested);
    productionRow->addWidget(Command3);
    cmdPrintProduktionsdata = Button("cmdPrintProduktionsdata", "Print", calculators);
    connect(cmdPrintProduktionsdata, &QPushButton::clicked, this, &OutputPanel::printProductionRowsRequested);
    productionRow->addWidget(cmdPrintProduktionsdata);
    cmdProduktionsdataFil = Button("cmdProduktionsdataFil", "Fil...", calculators);
    connect(cmdProduktionsdataFil, &QPushButton::clicked, this, &OutputPanel::productionFileRequested);
    productionRow->addWidget(cmdProduktionsdataFil);
    calc->addLayout(productionRow);
    for (QWidget* w : MaintenanceControls())
        w->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(output);
}

QWidget* OutputPanel::diagramAlternativesArea() const {
    return frameDiagramAlternativ;
}

void OutputPanel::refresh(const SelectionSession& session) {
    const core::OutputControls& o = session.outputs();
    for (int k = 0; k < 3; ++k)
        EnbartDiagramB[k]->setEnabled(o.EnbartDiagramBEnabled[k]);
    if (o.EnbartDiagramB >= 0 && o.EnbartDiagramB < 3)
        EnbartDiagramB[o.EnbartDiagramB]->setChecked(true);
    MotordiagramB->setEnabled(o.MotordiagramBEnabled);
    drawing->setEnabled(o.MotordiagramBEnabled);
    cboDiagramAlternativ->setEnabled(o.cboDiagramAlternativEnabled);
    // The printout button is enabled by the row click that makes a motor current.
    motorCurrent = o.PrinterutskriftBEnabled;
    PrinterutskriftB->setEnabled(o.PrinterutskriftBEnabled && kBuiltFeatures.printing);
    TabellB->setEnabled(kBuiltFeatures.printing);
    PrinterutskriftB->setVisible(o.PrinterutskriftBVisible);
    for (QWidget* w : MaintenanceControls())
        w->setVisible(!session.bolKatalogMode());
    const int mode = session.intPressureMode();
    if (mode >= 0 && mode < 6)
        optDiagramAlternativ[mode]->setChecked(true);
    frameDiagramAlternativ->setVisible(o.frameDiagramAlternativVisible);
}

std::array<QWidget*, 4> OutputPanel::MaintenanceControls() const {
    return {chkProduktionsdata, Command3, cmdPrintProduktionsdata, cmdProduktionsdataFil};
}

void OutputPanel::setProductionData(bool ticked) {
    chkProduktionsdata->setChecked(ticked);
}

} // namespace airmotor::app
