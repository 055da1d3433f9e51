#pragma once

#include <QWidget>
#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace airmotor::core {
class SelectionSession;
}

namespace airmotor::app {

class SessionDriver;

// Output of the current motor: printout choice, diagram, dimension drawing, diagram alternatives,
// print buttons and the calculator buttons. The work behind diagram, drawing, printing and the
// calculators is done by their windows, which connect to the signals.
class OutputPanel final : public QWidget {
    Q_OBJECT
public:
    OutputPanel(SessionDriver& driver, QWidget* parent = nullptr);

    void refresh(const core::SelectionSession& session);
    QWidget* calculatorArea() const { return calculators; }
    // The diagram alternatives, laid out by the main window where its columns have room for them.
    QWidget* diagramAlternativesArea() const;
    // chkProduktionsdata, without a signal loop: toggled is emitted only on a change.
    void setProductionData(bool ticked);

signals:
    void diagramRequested();                 // MotordiagramB
    void diagramWindowRequested();           // Command1: close the alternatives and show the diagram window
    void drawingRequested();                 // dimension drawing of the current motor
    void printRequested();                   // PrinterutskriftB
    void tablePrintRequested();              // TabellB
    void calculatorRequested(int index);     // Command2(index)
    void productionDataToggled(bool ticked); // chkProduktionsdata
    void printProductionRequested();         // Command3: every catalogue row
    void printProductionRowsRequested();     // cmdPrintProduktionsdata: result rows 1-9
    void productionFileRequested();          // pick the production database

private:
    SessionDriver& driver;
    QButtonGroup* enbart;
    std::array<QRadioButton*, 3> EnbartDiagramB{};
    QButtonGroup* alternatives;
    std::array<QRadioButton*, 6> optDiagramAlternativ{};
    QGroupBox* frameDiagramAlternativ;
    QPushButton* MotordiagramB;
    QPushButton* drawing;
    QPushButton* cboDiagramAlternativ;
    QPushButton* PrinterutskriftB;
    QPushButton* TabellB;
    QWidget* calculators;
    std::array<QWidget*, 4> MaintenanceControls() const;
    QCheckBox* chkProduktionsdata = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* cmdPrintProduktionsdata = nullptr;
    QPushButton* cmdProduktionsdataFil = nullptr;
    bool motorCurrent = false;
};

} // namespace airmotor::app
