#pragma once

#include "app/selection/SessionDriver.h"
#include "core/common/MessageSink.h"
#include "core/session/SelectionEvents.h"
#include "core/session/SelectionSession.h"

#include <QMainWindow>
#include <array>
#include <memory>

class QAction;
class QLabel;
class QTableView;

namespace airmotor::platform {
class UserPreferences;
}

namespace airmotor::app {

class AnalysisActions;
class DetailPanelView;
class SelectionFileActions;
class HelpWindow;
class MountingPositionsWindow;
class OptionsPanel;
class OutputPanel;
class RequirementPanel;
class ResultGridModel;
class ResultGridView;
struct ProgramContext;

// The selection window LUFTMOTOR. It forwards every user action to the selection session and then
// mirrors the session's state into its widgets; it holds no selection rule of its own.
class MainWindow final : public QMainWindow, private SessionDriver, private core::SelectionListener {
    Q_OBJECT
public:
    MainWindow(ProgramContext& program, core::MessageSink& messages, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load step: texts and captions of the language, start state and the catalogue listing.
    // Returns an error message when the texts cannot be read.
    std::optional<std::string> load();

    core::SelectionSession& session() { return *session_; }
    const core::SelectionSession& session() const { return *session_; }
    HelpWindow& help() { return *help_; }
    OutputPanel& outputs() { return *output; }
    MountingPositionsWindow& mountingPositions() { return *mounting_; }
    AnalysisActions& analysis() { return *analysis_; }
    // The user's preferences (air cost, recent selections), shared by the windows beside this one.
    platform::UserPreferences& preferences() { return *preferences_; }
    SelectionFileActions& selectionFiles() { return *selectionFiles_; }
    QTableView& grid();
    // Screen rectangles that auxiliary windows leave in view: the result grid with the detail panel,
    // and the search data with the options.
    QRect resultArea() const;
    QRect inputArea() const;

    // Language menu item 0..5: texts, captions of every window, new search data, settings file, listing.
    void chooseLanguage(int menuItem);
    // Re-sets the captions of every open window of the program from the current texts.
    void applyCaptionsEverywhere();
    void refresh();

    // --- What the features beside the selection attach to ---
    // Places in the menus; each feature adds its items at the end of its place, in the order the
    // features are built (captions come from the caption table with the window's others).
    enum class MenuPlace {
        SelectionFiles, // top of File: opening, saving and comparing selections
        AfterPrint,     // File, right below Print
        Results,        // File, the group above "Back to Start menu"
        Options,        // end of Options
    };
    void addMenuAction(MenuPlace place, QAction* action);
    void addSubmenu(MenuPlace place, QMenu* menu);
    // Print of the File menu: its enabled state follows the session (a motor with figures).
    QAction& printAction() { return *mnuPrint; }
    // Options → own motor data for the calculators.
    bool ownMotorDataAllowed() const;
    // The detail panel's explosion-protection pictures (a click opens their certificates).
    std::array<QLabel*, 2> explosionPictures() const;
    // The first rotation option: the reserved key on it opens the reduced maintenance editor.
    QWidget& rotationOption();
    // Runs a session action as every window event does: once, never inside another action or a
    // refresh, then the widgets mirror the session and the status bar sums the search up.
    void runSessionAction(const std::function<void(core::SelectionSession&)>& action) { run(action); }

    // The program now reads another catalogue database: as after a language change, every window
    // takes the texts anew and the search starts over with the new motors listed.
    void catalogueReplaced();

signals:
    // Options → own motor data for the calculators, ticked or cleared.
    void ownMotorDataToggled(bool allowed);
    void backToStartRequested();
    void exitRequested();
    // The diagram and drawing windows connect here.
    void diagramRequested();
    void diagramWindowRequested();
    void drawingRequested();
    void hideDiagramAndDrawingRequested();
    void printRequested(bool askForPrinter);
    void tablePrintRequested();
    void calculatorRequested(int index);
    // The maintenance code was searched for: the motor data editor opens with all its controls.
    void maintenanceEditorRequested();
    void languageChanged();
    void importCatalogueRequested();
    // The widgets show the session's state anew (after every action); the calculators follow a new
    // current motor from it.
    void refreshed();
    // A user action is about to run (never inside another): the moment a changed catalogue is read.
    void actionStarting();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // SessionDriver
    void run(const std::function<void(core::SelectionSession&)>& action) override;
    bool busy() const override { return busy_; }
    const core::LanguageState& language() const override;
    // SelectionListener
    void OpenMountingPositions() override;
    void HideDiagramAndDrawing() override { emit hideDiagramAndDrawingRequested(); }
    void ShowDiagram() override { emit diagramRequested(); }
    void ShowDiagramWindow() override { emit diagramWindowRequested(); }
    void MaintenanceModeEntered() override { emit maintenanceEditorRequested(); }
    void HelpTopicSuggested(int topic) override;
    void FocusField(core::RequirementField field) override;
    void Beep() override;

    void buildMenus();
    QWidget* buildCentral();
    void showAbout();
    void showNews();
    // The grid, the search case and the language: a change means a search or listing ran.
    std::string listingState() const;
    // The status bar line of the last search or listing (case, motors, pressure, time).
    void showSummary(qint64 elapsedNs);
    int contextHelpTopic() const;
    void showMessage(int key);
    void chooseMountingPosition(int picture);

    static constexpr int kSearchHelpTopic = 2;

    ProgramContext& program;
    core::MessageSink& messages;
    std::unique_ptr<core::SelectionSession> session_;
    std::unique_ptr<platform::UserPreferences> preferences_;
    bool busy_ = false;
    bool pressureRefusalShown_ = false; // the status bar names the pressure range instead of a summary
    // A focus request of the session waits until the refresh has shown the field.
    std::optional<core::RequirementField> pendingFocus;
    bool raiseHelpAfterAction = false;

    RequirementPanel* requirements = nullptr;
    OptionsPanel* options = nullptr;
    OutputPanel* output = nullptr;
    DetailPanelView* details = nullptr;
    ResultGridModel* model = nullptr;
    ResultGridView* grid_ = nullptr;
    QLabel* Label23 = nullptr;
    HelpWindow* help_ = nullptr;
    MountingPositionsWindow* mounting_ = nullptr;
    AnalysisActions* analysis_ = nullptr;
    SelectionFileActions* selectionFiles_ = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuOwnMotorData = nullptr;
    // Ends of the menu places (see MenuPlace): items of a place go in above its end.
    QAction* selectionFilesEnd_ = nullptr;
    QAction* afterPrintEnd_ = nullptr;
    QAction* resultsEnd_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* optionsMenu_ = nullptr;
    QAction* mnuOnlyObsoleteMotors = nullptr;
    QAction* mnuShowAlwaysDiagram = nullptr;
    std::array<QAction*, 6> mnuLanguage{};
};

} // namespace airmotor::app
