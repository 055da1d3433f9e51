#include "app/analysis/AnalysisActions.h"
#include "app/shell/FilePrompts.h"

#include "app/analysis/AirCostDialog.h"
#include "app/analysis/AnalysisPanel.h"
#include "app/selection/MainWindow.h"
#include "app/shell/AuxWindowPlacement.h"
#include "app/shell/ProgramContext.h"
#include "app/shell/TextConversion.h"
#include "core/analysis/AnalysisCsv.h"
#include "core/analysis/ResultExport.h"
#include "core/common/Keys.h"
#include "core/results/SearchSummary.h"
#include "platform/files/UserPreferences.h"
#include "platform/workbook/AnalysisWorkbook.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>

namespace airmotor::app {

namespace {

constexpr QSize kPanelSize{340, 320};

std::vector<core::AnalysedRow> AllRows(const core::SelectionSession& session,
                                       const core::AirCostInputs& cost) {
    return core::AnalyseRows(session, 1, session.results().rowCount(), cost);
}

} // namespace

AnalysisActions::AnalysisActions(MainWindow& mainWindow, const ProgramContext& programContext,
                                 platform::UserPreferences& userPreferences, core::MessageSink& messageSink)
    : QObject(&mainWindow), window(mainWindow), program(programContext), preferences(userPreferences),
      messages(messageSink), panel_(new AnalysisPanel(&window)) {
    exportChooser_ = [this](const QString& filters) {
        ExportChoice choice;
        choice.path = QFileDialog::getSaveFileName(&window, text(core::TextKey::ExportResultsTitle),
                                                   DocumentsPath(), filters, &choice.filter);
        return choice;
    };
    // It floats beside the window at first, so the window's own layout stays as it is; the user may
    // dock it on either side.
    window.addDockWidget(Qt::RightDockWidgetArea, panel_);
    panel_->setFloating(true);
    panel_->hide();
    connect(panel_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (!visible || placed || !panel_->isFloating())
            return;
        placed = true;
        panel_->setGeometry(AuxWindowRect(AvailableScreen(&window), window.frameGeometry(),
                                          window.resultArea(), kPanelSize.expandedTo(panel_->sizeHint()), 0));
    });
    connect(&window, &MainWindow::refreshed, this, &AnalysisActions::refresh);

    // The captions come from the caption table with the window's others.
    const auto add = [this](MainWindow::MenuPlace place, const char* name) {
        auto* a = new QAction(&window);
        a->setObjectName(name);
        window.addMenuAction(place, a);
        return a;
    };
    connect(add(MainWindow::MenuPlace::Results, "mnuExportResults"), &QAction::triggered, this,
            &AnalysisActions::chooseExportFile);
    connect(add(MainWindow::MenuPlace::Results, "mnuCopyResults"), &QAction::triggered, this,
            &AnalysisActions::copyToClipboard);
    connect(add(MainWindow::MenuPlace::Options, "mnuAirCost"), &QAction::triggered, this,
            &AnalysisActions::editAirCost);
    QAction* show = panel_->toggleViewAction();
    show->setObjectName("mnuShowDutyAnalysis");
    window.addMenuAction(MainWindow::MenuPlace::Options, show);
}

QString AnalysisActions::text(int key) const {
    return Q(program.language.strText(key));
}

void AnalysisActions::refresh() {
    // The dock names its menu item after its title: the item's own text is set after the title.
    panel_->setWindowTitle(text(core::TextKey::DutyAnalysisTitle));
    panel_->toggleViewAction()->setText(text(core::TextKey::ShowDutyAnalysisMenu));
    panel_->refresh(window.session(), program.language, preferences.airCost());
    // A longer text (the mode in some languages) widens the floating panel towards the left, so
    // that it does not grow over the result list it was placed beside.
    if (panel_->isFloating()) {
        QRect at = panel_->geometry();
        const int need = panel_->minimumSizeHint().width();
        if (at.width() < need) {
            at.setLeft(at.right() + 1 - need);
            panel_->setGeometry(at);
        }
    }
}

void AnalysisActions::fail(const std::string& text) {
    core::Message m;
    m.text = text;
    m.icon = core::MessageIcon::Critical;
    messages.show(m);
}

bool AnalysisActions::exportTo(const QString& chosen, const QString& filter) {
    const core::ResultExportTarget target =
        core::ChooseResultExport(chosen.toStdString(), filter.toStdString());
    const QString path = QString::fromStdString(target.path);
    const auto rows = AllRows(window.session(), preferences.airCost());
    if (rows.empty()) {
        fail(core::FillPlaceholders(program.language.strText(core::TextKey::NothingToExport),
                                    {path.toStdString()}));
        return false;
    }
    if (const auto error = platform::WriteAnalysisExport(target, rows, program.language.strText,
                                                         preferences.airCost().currency)) {
        fail(platform::FileErrorText(*error, &program.language.strText));
        return false;
    }
    return true;
}

void AnalysisActions::chooseExportFile() {
    const ExportChoice choice =
        exportChooser_(QString::fromStdString(core::ResultExportFilters(program.language.strText)));
    if (!choice.path.isEmpty())
        exportTo(choice.path, choice.filter);
}

void AnalysisActions::copyToClipboard() {
    QGuiApplication::clipboard()->setText(
        Q(core::AnalysisTsv(AllRows(window.session(), preferences.airCost()), program.language.strText,
                            preferences.airCost().currency)));
}

void AnalysisActions::editAirCost() {
    auto* dialog = new AirCostDialog(preferences.airCost(), program.language.strText, &window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        preferences.setAirCost(dialog->cost());
        refresh();
    });
    dialog->open();
}

} // namespace airmotor::app
