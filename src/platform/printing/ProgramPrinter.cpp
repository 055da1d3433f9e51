#include "platform/printing/ProgramPrinter.h"

#include <QPrinter>

namespace airmotor::platform {

ProgramPrinter::ProgramPrinter(const core::TextTable* strText) : strText_(strText) {}
ProgramPrinter::~ProgramPrinter() = default;

QPrinter& ProgramPrinter::printer() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void ProgramPrinter::choose(std::unique_ptr<QPrinter> chosen) {
    if (chosen)
        printer_ = std::move(chosen);
}

std::unique_ptr<PrintJobSink> ProgramPrinter::sink() {
    return SinkFor(printer(), strText_);
}

} // namespace airmotor::platform
