#include "app/calculators/CalculatorCapturePrinter.h"

#include "app/shell/WindowCapture.h"
#include "platform/printing/CaptureAndPrint.h"
#include "platform/printing/ProgramPrinter.h"

#include <QWidget>

namespace airmotor::app {

CalculatorCapturePrinter::CalculatorCapturePrinter(core::MessageSink& messages,
                                                   platform::ProgramPrinter& printer)
    : messages_(messages), sinkFactory_([&printer] { return printer.sink(); }) {}

CalculatorCapturePrinter::~CalculatorCapturePrinter() = default;

void CalculatorCapturePrinter::printWindowAndDiagram(QWidget& window, const core::PrintPlacement& windowAt,
                                                     QWidget& diagramClient,
                                                     const core::PrintPlacement& diagramAt) {
    const std::unique_ptr<platform::PrintJobSink> sink = sinkFactory_();
    platform::PicturePrintJob job(*sink, window.windowTitle());
    const auto place = [&job](const QImage& picture, const core::PrintPlacement& at) {
        return job.PrintPictureToFitPage(picture, at.left, at.top, at.size, at.orientation);
    };
    const bool painted =
        place(CaptureForm(window), windowAt) && place(CaptureClient(diagramClient), diagramAt);
    if (!job.end() || !painted) {
        messages_.show(core::Message{-1, job.error().toStdString(), core::MessageIcon::Warning, {}});
        return;
    }
    if (const QString written = platform::WrittenFilesText(sink->files(), sink->texts()); !written.isEmpty())
        messages_.show(core::Message{-1, written.toStdString(), core::MessageIcon::Information, {}});
}

} // namespace airmotor::app
