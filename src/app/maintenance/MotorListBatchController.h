#pragma once

#include "core/common/MessageSink.h"
#include "core/maintenance/MotorListBatch.h"
#include "platform/printing/PrintJobs.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

namespace airmotor::app {

struct ProgramContext;

// The editor's motor-list batch (Command5): rows of the workbook's sheet "Motorer" added to the
// catalogue or printed, under a progress dialog with Cancel; the summary goes to the messages.
class MotorListBatchController final : public QObject {
    Q_OBJECT
public:
    // Where the printed diagrams go; the default is the program's printer.
    using SinkFactory = std::function<std::unique_ptr<platform::PrintJobSink>()>;
    // Called after each row with the dialog (tests press Cancel through it).
    using RowObserver = std::function<void(QProgressDialog&)>;

    MotorListBatchController(QWidget& parent, ProgramContext& program, core::MessageSink& messages);
    ~MotorListBatchController() override;

    void setSinkFactory(SinkFactory factory) { sinkFactory_ = std::move(factory); }
    void setRowObserver(RowObserver observer) { rowObserver_ = std::move(observer); }

    // A relative workbook name is looked up in the folder "Excel" of the program folder. Rows run
    // from firstRow to lastRow until Cancel; the catalogue is reloaded when motors were added.
    core::MotorListSummary Run(const QString& workbookPath, int firstRow, int lastRow,
                               core::MotorListMode mode);

private:
    QString resolve(const QString& workbookPath) const;
    void report(const std::string& text, core::MessageIcon icon);

    QWidget& parent_;
    ProgramContext& program_;
    core::MessageSink& messages_;
    SinkFactory sinkFactory_;
    RowObserver rowObserver_;
};

} // namespace airmotor::app
