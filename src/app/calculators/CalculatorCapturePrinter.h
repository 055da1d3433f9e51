#pragma once

#include "app/calculators/CalculatorPrinter.h"
#include "core/common/MessageSink.h"
#include "platform/printing/PrintJobs.h"

#include <functional>
#include <memory>

namespace airmotor::platform {
class ProgramPrinter;
}

namespace airmotor::app {

// Print of the calculator windows through window capture: the window (CaptureForm) and the diagram's
// client area (CaptureClient) as two pictures of one print job. A failed job is reported as a message.
class CalculatorCapturePrinter final : public CalculatorPrinter {
public:
    // Where the job goes; the default is the program's printer.
    using SinkFactory = std::function<std::unique_ptr<platform::PrintJobSink>()>;

    CalculatorCapturePrinter(core::MessageSink& messages, platform::ProgramPrinter& printer);
    ~CalculatorCapturePrinter() override;

    void setSinkFactory(SinkFactory factory) { sinkFactory_ = std::move(factory); }
    void printWindowAndDiagram(QWidget& window, const core::PrintPlacement& windowAt, QWidget& diagramClient,
                               const core::PrintPlacement& diagramAt) override;

private:
    core::MessageSink& messages_;
    SinkFactory sinkFactory_;
};

} // namespace airmotor::app
