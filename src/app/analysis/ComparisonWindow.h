#pragma once

#include "core/analysis/MotorComparison.h"
#include "core/common/MessageSink.h"
#include "core/diagram/ComparisonDiagram.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QPrinter;
class QTableView;

namespace airmotor::platform {
class PrintJobSink;
class ProgramPrinter;
} // namespace airmotor::platform

namespace airmotor::app {

class ComparisonTableModel;

// The comparison diagram as the window shows it; every repaint draws the plot it holds.
class ComparisonView final : public QWidget {
    Q_OBJECT
public:
    explicit ComparisonView(QWidget* parent = nullptr);
    void setPlot(core::ComparisonPlot plot);
    const core::ComparisonPlot& plot() const { return plot_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    core::ComparisonPlot plot_;
};

// The comparison window: the table of figures over the diagram, the choice of power and air curves,
// export of the diagram and printing. It shows what the controller hands it and computes nothing.
class ComparisonWindow final : public QWidget {
    Q_OBJECT
public:
    // The file to export to ("" = cancelled); the default asks with the save dialog.
    using PathChooser = std::function<QString()>;
    // Sets up the printer; false when cancelled. The default shows the print dialog.
    using PrinterChooser = std::function<bool(QPrinter&)>;

    // Prints on the program's printer, which its print dialog changes for every window. The texts
    // are those of the table, which outlives the window.
    ComparisonWindow(core::MessageSink& messages, platform::ProgramPrinter& printer,
                     const core::TextTable& strText, QWidget* parent = nullptr);
    ~ComparisonWindow() override;

    void setComparison(core::MotorComparison comparison, core::ComparisonPlot plot);
    bool showPower() const;
    bool showAir() const;

    void setPathChooser(PathChooser chooser) { pathChooser_ = std::move(chooser); }
    void setPrinterChooser(PrinterChooser chooser) { printerChooser_ = std::move(chooser); }

    void exportDiagram();
    void print();
    // One landscape page with the diagram and the table; false after a message when the job failed.
    bool printTo(platform::PrintJobSink& sink);

    ComparisonTableModel& model() { return *model_; }
    ComparisonView& view() { return *view_; }

signals:
    void curvesChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void report(const QString& error);

    QString text(int key) const;

    core::MessageSink& messages_;
    platform::ProgramPrinter& printer_;
    const core::TextTable& strText_;
    ComparisonTableModel* model_;
    QTableView* table_;
    ComparisonView* view_;
    QLabel* hint_;
    QCheckBox* power_;
    QCheckBox* air_;
    PathChooser pathChooser_;
    PrinterChooser printerChooser_;
};

} // namespace airmotor::app
