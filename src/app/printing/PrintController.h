#pragma once

#include "core/common/MessageSink.h"
#include "core/printing/DataSheet.h"
#include "platform/printing/PrintJobs.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QPrinter;

namespace airmotor::app {

class MainWindow;
struct ProgramContext;

// The printing of the main window: PrinterutskriftB (one copy at once on the current printer),
// mnuPrint (print dialog, copies as separate jobs), the print preview, TabellB (catalogue table)
// and picEx (the certificate information document).
class PrintController final : public QObject {
    Q_OBJECT
public:
    // Asks for the printer and the number of copies; nullopt when cancelled. The default shows
    // the print dialog.
    using PrinterChooser = std::function<std::optional<int>(QPrinter&)>;
    // The jobs' destination for a printer. The default prints on that printer, or into its PDF file.
    using SinkFactory = std::function<std::unique_ptr<platform::PrintJobSink>(QPrinter&)>;
    // Shows the preview of one copy; the default is the preview dialog.
    using PreviewRunner = std::function<void(QPrinter&)>;

    PrintController(MainWindow& main, ProgramContext& program, core::MessageSink& messages);
    ~PrintController() override;

    void setPrinterChooser(PrinterChooser chooser) { chooser_ = std::move(chooser); }
    void setSinkFactory(SinkFactory factory) { sinkFactory_ = std::move(factory); }
    void setPreviewRunner(PreviewRunner runner) { previewRunner_ = std::move(runner); }
    // Adds to the printed diagram what other controllers draw (the production comparison).
    void setDiagramDecorator(std::function<void(core::MotorDiagramInput&)> decorator) {
        decorator_ = std::move(decorator);
    }

    // One copy on the program's printer; false when nothing was printed (the reason was shown).
    // batchJob counts the printouts of a batch: a printer that writes a file writes job n > 1 to
    // "name-n.pdf" beside it, so no printout of the batch replaces an earlier one. Outside a batch
    // (0) the user is told which file a printout went to; a batch sums up its own printouts.
    bool printNow(int batchJob = 0);
    void printWithDialog();
    void printTable();
    void showPreview();
    // Paints exactly the pages of one copy on the preview's printer; shows no message.
    void paintPreview(QPrinter& printer);
    void openCertificateDocument();

    QAction* previewAction() const { return preview_; }
    // The file name the print dialog suggests for a PDF: "<designation> <Data sheet>.pdf".
    QString suggestedPdfName() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    core::PrintoutPlan plan() const;
    bool printCopies(QPrinter& printer, int copies, bool tellFiles);
    // Names the files a printout went to, or the reason it failed.
    void reportRun(const platform::PrintJobSink& sink, const QString& error, bool tellFiles);
    void addPreviewMenuItem();
    void report(const QString& error);

    MainWindow& main_;
    ProgramContext& program_;
    core::MessageSink& messages_;
    PrinterChooser chooser_;
    SinkFactory sinkFactory_;
    PreviewRunner previewRunner_;
    std::function<void(core::MotorDiagramInput&)> decorator_;
    QAction* preview_ = nullptr;
};

} // namespace airmotor::app
