#include "app/analysis/ComparisonController.h"

#include "app/analysis/ComparisonWindow.h"
#include "app/selection/CaptionApplier.h"
#include "app/selection/MainWindow.h"
#include "app/shell/AuxWindowPlacement.h"
#include "app/shell/ProgramContext.h"
#include "app/shell/TextConversion.h"
#include "core/common/Keys.h"
#include "core/diagram/ComparisonDiagram.h"
#include "platform/files/UserPreferences.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QIdentityProxyModel>
#include <QMenu>
#include <QTableView>

namespace airmotor::app {

// The result grid's model seen through a mark: a ticked row's header reads "✓ 3".
class ComparisonMarks final : public QIdentityProxyModel {
public:
    ComparisonMarks(const core::ComparisonSelection& selection, const core::TextTable& strText,
                    QObject* parent)
        : QIdentityProxyModel(parent), selection_(selection), strText_(strText) {}

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Vertical && role == Qt::DisplayRole && selection_.contains(section + 1))
            return QStringLiteral("✓ %1").arg(section + 1);
        if (orientation == Qt::Vertical && role == Qt::ToolTipRole && selection_.contains(section + 1))
            return Q(strText_(core::TextKey::TickedForComparison));
        return QIdentityProxyModel::headerData(section, orientation, role);
    }

    void marksChanged() {
        if (rowCount() > 0)
            emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    }

private:
    const core::ComparisonSelection& selection_;
    const core::TextTable& strText_;
};

ComparisonController::ComparisonController(MainWindow& main, ProgramContext& program,
                                           core::MessageSink& messages)
    : QObject(&main), main_(main), program_(program), messages_(messages),
      window_(new ComparisonWindow(messages, program.printer, program.language.strText, &main)) {
    QTableView& grid = main.grid();
    marks_ = new ComparisonMarks(selection_, program.language.strText, this);
    marks_->setSourceModel(grid.model());
    grid.setModel(marks_);
    grid.viewport()->installEventFilter(this);
    addActions();
    selection_.follow(main.session());
    connect(&main, &MainWindow::refreshed, this, &ComparisonController::followSession);
    connect(&main, &MainWindow::languageChanged, this, &ComparisonController::applyTexts);
    connect(window_, &ComparisonWindow::curvesChanged, this, &ComparisonController::refreshWindow);
    applyTexts();
}

ComparisonController::~ComparisonController() = default;

void ComparisonController::applyTexts() {
    const core::TextTable& strText = program_.language.strText;
    const core::CaptionContext context = program_.captionContext();
    // The window's captions follow the language with every window's; these parts came later.
    ApplyCaptions(&main_, strText, context,
                  {"mnuCompareMotors", "mnuCompareRow", "mnuShowComparisonFromGrid"});
    ApplyCaptions(window_, strText, context);
    compareRow_->setToolTip(Q(strText(core::TextKey::CompareRowTip)));
    refreshWindow();
}

void ComparisonController::addActions() {
    QTableView& grid = main_.grid();
    grid.setContextMenuPolicy(Qt::ActionsContextMenu);
    compareRow_ = new QAction(&grid);
    compareRow_->setObjectName("mnuCompareRow");
    compareRow_->setCheckable(true);
    connect(compareRow_, &QAction::triggered, this, [this] { toggleRow(menuRow_); });
    grid.addAction(compareRow_);
    auto* showFromGrid = new QAction(&grid);
    showFromGrid->setObjectName("mnuShowComparisonFromGrid");
    connect(showFromGrid, &QAction::triggered, this, &ComparisonController::showWindow);
    grid.addAction(showFromGrid);

    auto* show = new QAction(&main_);
    show->setObjectName("mnuCompareMotors");
    main_.addMenuAction(MainWindow::MenuPlace::SelectionFiles, show);
    connect(show, &QAction::triggered, this, &ComparisonController::showWindow);
}

bool ComparisonController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ContextMenu) {
        // The grid shows its actions after this: the one of this row says whether it is ticked.
        const QPoint at = static_cast<QContextMenuEvent*>(event)->pos();
        const QModelIndex index = main_.grid().indexAt(at);
        menuRow_ = index.isValid() ? index.row() + 1 : 0;
        compareRow_->setEnabled(menuRow_ > 0);
        compareRow_->setChecked(menuRow_ > 0 && selection_.contains(menuRow_));
    }
    return QObject::eventFilter(watched, event);
}

void ComparisonController::toggleRow(int row) {
    if (row < 1 || row > main_.session().results().rowCount())
        return;
    if (const std::optional<std::string> refusal = selection_.toggle(row, program_.language.strText)) {
        messages_.show({.key = -1, .text = *refusal, .icon = core::MessageIcon::Information, .title = {}});
        return;
    }
    marks_->marksChanged();
    refreshWindow();
}

void ComparisonController::showWindow() {
    refreshWindow();
    PlaceOnFirstShow(window_, &main_, main_.resultArea(), window_->size(), 0);
    window_->show();
    window_->raise();
}

void ComparisonController::followSession() {
    if (selection_.follow(main_.session())) {
        marks_->marksChanged();
        refreshWindow();
    }
}

void ComparisonController::refreshWindow() {
    const core::SelectionSession& session = main_.session();
    const std::vector<int>& rows = selection_.rows();
    core::ComparisonDiagramInput input = core::ComparisonInputFromSession(session, program_.language, rows);
    input.showPower = window_->showPower();
    input.showAir = window_->showAir();
    window_->setComparison(core::CompareRows(session, rows, program_.language, main_.preferences().airCost()),
                           core::ComputeComparisonPlot(input));
}

} // namespace airmotor::app
