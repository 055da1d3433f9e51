#include "app/analysis/ComparisonWindow.h"
#include "app/shell/FilePrompts.h"

#include "app/analysis/ComparisonTableModel.h"
#include "core/common/Keys.h"
#include "platform/drawing/DiagramExport.h"
#include "platform/printing/PrintJobs.h"
#include "platform/printing/ProgramPrinter.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace airmotor::app {

namespace {

// The exported picture: the window's proportions at a size that prints sharply.
constexpr QSize kExportSize(1400, 1100);
constexpr QSize kWindowSize(980, 760);

} // namespace

ComparisonView::ComparisonView(QWidget* parent) : QWidget(parent) {
    setObjectName("ComparisonView");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(360, 280);
}

void ComparisonView::setPlot(core::ComparisonPlot plot) {
    plot_ = std::move(plot);
    update();
}

void ComparisonView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    platform::PaintComparisonDiagram(painter, QRectF(rect()), plot_);
}

ComparisonWindow::ComparisonWindow(core::MessageSink& messages, platform::ProgramPrinter& printer,
                                   const core::TextTable& strText, QWidget* parent)
    : QWidget(parent, Qt::Window), messages_(messages), printer_(printer), strText_(strText),
      model_(new ComparisonTableModel(strText, this)), table_(new QTableView(this)),
      view_(new ComparisonView(this)), hint_(new QLabel(this)), power_(new QCheckBox(this)),
      air_(new QCheckBox(this)) {
    // The captions come from the caption table.
    setObjectName("frmComparison");
    table_->setObjectName("grdComparison");
    table_->setModel(model_);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    // Each motor's column as wide as its heading ("1: TKM54-A450-11"), the table scrolling sideways
    // where the window is narrower; a stretched column cut the designation at both ends.
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    hint_->setObjectName("lblComparisonHint");
    hint_->setWordWrap(true);
    power_->setObjectName("chkComparePower");
    air_->setObjectName("chkCompareAir");
    auto* exportButton = new QPushButton(this);
    exportButton->setObjectName("cmdExportComparison");
    auto* printButton = new QPushButton(this);
    printButton->setObjectName("cmdPrintComparison");
    auto* closeButton = new QPushButton(this);
    closeButton->setObjectName("cmdCloseComparison");

    auto* controls = new QHBoxLayout;
    controls->addWidget(power_);
    controls->addWidget(air_);
    controls->addStretch(1);
    controls->addWidget(exportButton);
    controls->addWidget(printButton);
    controls->addWidget(closeButton);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(table_);
    splitter->addWidget(view_);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint_);
    layout->addLayout(controls);
    layout->addWidget(splitter, 1);

    connect(power_, &QCheckBox::toggled, this, &ComparisonWindow::curvesChanged);
    connect(air_, &QCheckBox::toggled, this, &ComparisonWindow::curvesChanged);
    connect(exportButton, &QPushButton::clicked, this, &ComparisonWindow::exportDiagram);
    connect(printButton, &QPushButton::clicked, this, &ComparisonWindow::print);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);

    pathChooser_ = [this] {
        return QFileDialog::getSaveFileName(this, text(core::TextKey::ExportComparisonTitle),
                                            DocumentsPath(windowTitle() + QStringLiteral(".pdf")),
                                            QStringLiteral("PDF (*.pdf);;SVG (*.svg);;PNG (*.png)"));
    };
    printerChooser_ = [this](QPrinter& chosen) {
        QPrintDialog dialog(&chosen, this);
        return dialog.exec() == QDialog::Accepted;
    };
    resize(kWindowSize);
}

ComparisonWindow::~ComparisonWindow() = default;

QString ComparisonWindow::text(int key) const {
    return QString::fromStdString(strText_(key));
}

void ComparisonWindow::setComparison(core::MotorComparison comparison, core::ComparisonPlot plot) {
    model_->setComparison(std::move(comparison));
    view_->setPlot(std::move(plot));
}

bool ComparisonWindow::showPower() const {
    return power_->isChecked();
}

bool ComparisonWindow::showAir() const {
    return air_->isChecked();
}

void ComparisonWindow::report(const QString& error) {
    if (!error.isEmpty())
        messages_.show(
            {.key = -1, .text = error.toStdString(), .icon = core::MessageIcon::Warning, .title = {}});
}

void ComparisonWindow::exportDiagram() {
    const QString path = pathChooser_();
    if (!path.isEmpty())
        report(platform::ExportComparison(view_->plot(), model_->comparison(), path, kExportSize, &strText_));
}

void ComparisonWindow::print() {
    if (!printerChooser_(printer_.printer()))
        return;
    printTo(*printer_.sink());
}

bool ComparisonWindow::printTo(platform::PrintJobSink& sink) {
    const core::ComparisonPlot& plot = view_->plot();
    const core::MotorComparison& comparison = model_->comparison();
    const platform::PrintRun run =
        platform::RunOnePageJobs(sink, 1, QPageLayout::Landscape, text(core::TextKey::ComparisonTitle),
                                 [&](QPainter& painter, const QRectF& sheet, double dpi, int) {
                                     platform::PaintComparisonPage(painter, sheet, dpi, plot, comparison);
                                 });
    report(run.error);
    return run.ok();
}

void ComparisonWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace airmotor::app
