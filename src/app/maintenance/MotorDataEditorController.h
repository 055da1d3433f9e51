#pragma once

#include "core/common/MessageSink.h"
#include "core/maintenance/EditorDiagram.h"
#include "core/maintenance/MotorDataEditor.h"
#include "platform/printing/PrintJobs.h"
#include "platform/storage/MotorDataWriter.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace airmotor::app {

class EditorDiagramWindow;
class MainWindow;
class MotorDataEditorWindow;
class MotorListBatchController;
struct ProgramContext;

// The commands of the motor data editor that reach beyond its window: measurement files, the
// diagram on screen and paper, the catalogue database, the way back and the end of the program.
class MotorDataEditorController final : public QObject {
    Q_OBJECT
public:
    // The file a dialog chose; empty when cancelled.
    using FileChooser = std::function<QString(bool save, const QString& title, const QString& preset)>;
    // Where a print goes; nullptr when the print dialog was cancelled.
    using SinkFactory = std::function<std::unique_ptr<platform::PrintJobSink>()>;

    // The key that opens the reduced editor while the first rotation option has the focus.
    static constexpr char kReservedKey = '#';

    MotorDataEditorController(MainWindow& main, ProgramContext& program, core::MessageSink& messages);
    ~MotorDataEditorController() override;

    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
    void setSinkFactory(SinkFactory factory) { sinkFactory_ = std::move(factory); }

    core::MotorDataEditor& editor() { return editor_; }
    MotorDataEditorWindow& window() { return *window_; }
    EditorDiagramWindow& diagram() { return *diagram_; }

    void openFull();
    void openReduced();

    void saveFile();
    void loadFile();
    void loadCompanion();
    // The target-value calibration, then the diagram; false when the drawing stopped.
    bool drawOnScreen();
    void drawOnPrinter();
    void printRange();
    void saveToDatabase();
    void backToSelection();
    // Command6 and closing: asks first when readings changed since the last save or load.
    void requestExit();

signals:
    void exitProgram();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    core::EditorDiagramOptions diagramOptions(core::CanvasKind canvas) const;
    void show(const std::string& text, core::MessageIcon icon = core::MessageIcon::None);
    void print(const QString& title, int pages,
               const std::function<core::EditorDiagram(int, double)>& diagramOf);
    std::unique_ptr<platform::PrintJobSink> choosePrinter();
    void afterAdd();
    void runMotorList();

    MainWindow& main_;
    ProgramContext& program_;
    core::MessageSink& messages_;
    core::MotorDataEditor editor_;
    platform::MotorDataWriter writer_; // one backup of the database before its first write
    MotorDataEditorWindow* window_;
    EditorDiagramWindow* diagram_;
    MotorListBatchController* motorList_;
    FileChooser chooser_;
    SinkFactory sinkFactory_;
};

} // namespace airmotor::app
