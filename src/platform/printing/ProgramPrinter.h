#pragma once

#include "platform/printing/PrintJobs.h"

#include <memory>

class QPrinter;

namespace airmotor::platform {

// The one printer of the program: at first the system's default, then whatever a print dialog
// chose last, in whichever window. Every printout asks for it afresh, so none keeps an old choice.
class ProgramPrinter final {
public:
    // Messages of its printouts in the language of the text table, which outlives the printer.
    explicit ProgramPrinter(const core::TextTable* strText = nullptr);
    ~ProgramPrinter();
    ProgramPrinter(const ProgramPrinter&) = delete;
    ProgramPrinter& operator=(const ProgramPrinter&) = delete;

    QPrinter& printer();
    void choose(std::unique_ptr<QPrinter> chosen);
    // Where the next printout goes (SinkFor the printer).
    std::unique_ptr<PrintJobSink> sink();

private:
    std::unique_ptr<QPrinter> printer_; // made on first use: a printer needs the application
    const core::TextTable* strText_;
};

} // namespace airmotor::platform
