#pragma once

#include "core/analysis/ComparisonSelection.h"
#include "core/common/MessageSink.h"

#include <QObject>

class QAction;
class QModelIndex;

namespace airmotor::app {

class ComparisonMarks;
class ComparisonWindow;
class MainWindow;
struct ProgramContext;

// Ticks result rows for the comparison (the result grid's context menu "Compare", a mark in the row
// header), opens the comparison window from the File menu or the context menu, and keeps the window
// on the ticked rows of the current result list.
class ComparisonController final : public QObject {
    Q_OBJECT
public:
    ComparisonController(MainWindow& main, ProgramContext& program, core::MessageSink& messages);
    ~ComparisonController() override;

    // Ticks result row `row` (1-based) or takes the tick back; a fifth tick is refused with a message.
    void toggleRow(int row);
    void showWindow();
    const core::ComparisonSelection& selection() const { return selection_; }
    ComparisonWindow& window() { return *window_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addActions();
    void followSession();
    void refreshWindow();
    void applyTexts();

    MainWindow& main_;
    ProgramContext& program_;
    core::MessageSink& messages_;
    core::ComparisonSelection selection_;
    ComparisonWindow* window_ = nullptr; // child of the main window, as this controller is
    ComparisonMarks* marks_ = nullptr;
    QAction* compareRow_ = nullptr;
    int menuRow_ = 0; // row under the last context-menu request
};

} // namespace airmotor::app
