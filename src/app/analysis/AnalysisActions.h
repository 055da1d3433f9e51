#pragma once

#include "core/common/MessageSink.h"

#include <QObject>
#include <QString>

#include <functional>
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
    // The file and the file type chosen for the export; an empty file is a cancelled dialog.
    struct ExportChoice {
        QString path;
        QString filter;
    };
    using ExportChooser = std::function<ExportChoice(const QString& filters)>;

    AnalysisActions(MainWindow& window, const ProgramContext& program, platform::UserPreferences& preferences,
                    core::MessageSink& messages);

    AnalysisPanel& panel() { return *panel_; }
    void setExportChooser(ExportChooser chooser) { exportChooser_ = std::move(chooser); }
    // Writes every result row with its analysis in the format of the chosen file type (without one,
    // of the name's extension: .xlsx, else CSV); the name gets the format's extension when it lacks it.
    // False (after a message naming the file) when nothing was written.
    bool exportTo(const QString& path, const QString& filter = {});
    // The same table as tab-separated text on the clipboard.
    void copyToClipboard();
    // Opens the preferences dialog (not modal to the test, modal to the user).
    void editAirCost();

private:
    // Also the panel's title and menu item: the texts are loaded after the panel is made.
    void refresh();
    void chooseExportFile();
    QString text(int key) const;
    void fail(const std::string& text);

    MainWindow& window;
    const ProgramContext& program;
    platform::UserPreferences& preferences;
    core::MessageSink& messages;
    AnalysisPanel* panel_;
    ExportChooser exportChooser_;
    bool placed = false;
};

} // namespace airmotor::app
