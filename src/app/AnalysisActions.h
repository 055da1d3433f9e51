#pragma once

#include "core/common/MessageSink.h"

#include <QObject>
#include <QString>

#include <string>

class QMainWindow;

namespace airmotor::platform {
class UserPreferences;
}

namespace airmotor::app {

class AnalysisPanel;
class MainWindow;
struct ProgramContext;

// The duty analysis beside the selection window: its panel, the air cost preferences and the export
// of the result table (CSV, .xlsx, clipboard). It reads the session and writes nothing into it.
class AnalysisActions final : public QObject {
    Q_OBJECT
public:
    AnalysisActions(MainWindow& window, const ProgramContext& program, platform::UserPreferences& preferences,
                    core::MessageSink& messages);

    AnalysisPanel& panel() { return *panel_; }
    // Writes every result row with its analysis; the format follows the suffix (.xlsx, else CSV).
    // False (after a message naming the file) when nothing was written.
    bool exportTo(const QString& path);
    // The same table as tab-separated text on the clipboard.
    void copyToClipboard();
    // Opens the preferences dialog (not modal to the test, modal to the user).
    void editAirCost();

private:
    void refresh();
    void chooseExportFile();
    void fail(const std::string& text);

    MainWindow& window;
    const ProgramContext& program;
    platform::UserPreferences& preferences;
    core::MessageSink& messages;
    AnalysisPanel* panel_;
    bool placed = false;
};

} // namespace airmotor::app
