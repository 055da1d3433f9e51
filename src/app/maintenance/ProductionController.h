#pragma once

#include "core/common/MessageSink.h"
#include "core/diagram/MotorDiagram.h"
#include "core/language/TaskFault.h"
#include "core/production/ProductionComparison.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <memory>

namespace airmotor::app {

class DiagramController;
class MainWindow;
class PrintController;
struct ProgramContext;

// The production comparison of the maintenance mode: chkProduktionsdata adds the lookup's table and
// curves to the diagram and the printout; Command3 and cmdPrintProduktionsdata print every listed
// motor with used production records and fill one row of sheet "TKM" per printed motor.
class ProductionController final : public QObject {
    Q_OBJECT
public:
    enum class Batch {
        ResultRows, // cmdPrintProduktionsdata: rows 1-9, ticks the box itself
        AllRows     // Command3: rows 1 to the catalogue size, the user ticks the box
    };
    struct Summary {
        int motors = 0;  // listed motors looked up
        int printed = 0; // printed, one TKM row each
        bool cancelled = false;
        bool failed = false; // stopped by a message (database, workbook, printer)
    };
    // The TKM sheet of a workbook; nullptr with the error set when it cannot be opened.
    using SheetWriterFactory =
        std::function<std::unique_ptr<core::SheetWriter>(const QString& workbook, std::string& error)>;
    // Asks for a production database (or a workbook), starting at the given file; "" when cancelled.
    using FileChooser = std::function<QString(const QString& current)>;

    ProductionController(MainWindow& main, ProgramContext& program, core::MessageSink& messages,
                         DiagramController& diagrams, PrintController& print);

    bool productionData() const { return ticked_; }
    void setProductionData(bool ticked);
    QString databaseFile() const { return file_; }
    // A new file is read when the box is ticked (at once when it is).
    void setDatabaseFile(const QString& file);
    void chooseDatabaseFile();
    void setSheetWriterFactory(SheetWriterFactory factory) { sheetWriters_ = std::move(factory); }
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
    void setWorkbookChooser(FileChooser chooser) { workbookChooser_ = std::move(chooser); }

    // The comparison of the input's motor, when the box is ticked and the database was read.
    void decorate(core::MotorDiagramInput& in);
    Summary runBatch(Batch batch);

private:
    // Reads the database unless it is read already and unchanged; false after a message.
    bool load();
    Summary runRows(Batch batch);
    // The batch's workbook: the default one when it can be written where it is (an installed
    // program folder is read-only), otherwise one the user picks; "" when none was picked.
    QString batchWorkbook(Batch batch);
    void tick(bool ticked);
    QString text(int key) const;
    void report(const std::string& message, core::MessageIcon icon);
    // The fault in the chosen language; `english` before the texts are loaded.
    void report(const core::TaskFault& fault, const std::string& english, core::MessageIcon icon);

    MainWindow& main_;
    ProgramContext& program_;
    core::MessageSink& messages_;
    DiagramController& diagrams_;
    PrintController& print_;
    SheetWriterFactory sheetWriters_;
    FileChooser chooser_;
    FileChooser workbookChooser_;
    bool ticked_ = false;
    QString file_;
    QDateTime loadedStamp_;
    std::unique_ptr<core::ProductionIndex> index_;
    std::map<int, core::ProductionLookupResult> lookups_; // by catalogue index, for this database
};

} // namespace airmotor::app
