#pragma once

#include "core/maintenance/MotorDataEditor.h"

#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace airmotor::app {

class EditorFieldBoxes;
class ReadingsTable;

// The motor data editor MOMEFF: mirrors the editor's state, runs its typing and leave rules, and
// hands the commands that need files, the database, the diagram or the program to its controller.
class MotorDataEditorWindow final : public QWidget {
    Q_OBJECT
public:
    explicit MotorDataEditorWindow(core::MotorDataEditor& editor, QWidget* parent = nullptr);
    ~MotorDataEditorWindow() override;

    core::MotorDataEditor& editor() { return editor_; }
    void mirror();
    // The reduced opening hides the database, motor-list and target-value groups and the way back.
    void setReduced(bool reduced);
    void showDiagramPanel(bool diagram);
    bool diagramPanelShown() const;
    bool showPoints() const;
    bool blackGraduations() const;
    void setFileLabel(const QString& name);

    // The motor-list batch's own fields, read when motorListBatchRequested is handled.
    int motorListOption() const;            // Option1: 0 or 1
    QString motorListText(int index) const; // Text1_0, Text1_1
    QString motorListSheet() const;         // Text2

signals:
    void saveFileRequested();        // Command1
    void loadFileRequested();        // HämtaDatafilB
    void loadCompanionRequested();   // cmdSparaMätpunterTillStreckadeKurvor
    void screenDiagramRequested();   // DiagramSkärm
    void printerDiagramRequested();  // DiagramPrinter
    void printRangeRequested();      // Command4
    void databaseSaveRequested();    // Command2
    void motorListBatchRequested();  // Command5
    void selectionWindowRequested(); // ValAvLuftmotorB
    void exitRequested();            // Command6 and closing the window
    // UtvB was left: the screen diagram is drawn anew.
    void redrawRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildMeasuredPanel();
    QWidget* buildScalePanel();
    QWidget* buildMotorPanel();
    QWidget* buildGearPanel();
    QWidget* buildCommandPanel();
    QPushButton* button(const char* name, const QString& caption);
    using TextAccess = std::function<std::string&(core::EditorTexts&)>;
    QLineEdit* textBox(const char* name, TextAccess access);
    void leave(core::EditorField field);

    core::MotorDataEditor& editor_;
    EditorFieldBoxes* boxes_;
    ReadingsTable* readings_ = nullptr;
    QStackedWidget* panels_ = nullptr;
    QLabel* Label14 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame6 = nullptr;
    QPushButton* ValAvLuftmotorB = nullptr;
    QCheckBox* MatpunkterB = nullptr;
    QCheckBox* chkSvartaAxelgraderingar = nullptr;
    QRadioButton* Option1_0 = nullptr;
    QLineEdit* Text1_0 = nullptr;
    QLineEdit* Text1_1 = nullptr;
    QLineEdit* Text2 = nullptr;
    std::vector<std::pair<QLineEdit*, TextAccess>> texts_;
};

} // namespace airmotor::app
