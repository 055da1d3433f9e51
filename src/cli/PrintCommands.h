#pragma once

#include "cli/CliContext.h"
#include "cli/CommandOptions.h"
#include "core/common/MessageSink.h"
#include "core/printing/DataSheet.h"
#include "platform/printing/PrintJobs.h"

#include <optional>
#include <string>

namespace airmotor::cli {

// --mode: complete (the default), diagram or drawing; else a usage error.
core::PrintMode ParseDatasheetMode(const std::optional<std::string>& text);

// What printing a data sheet did: the run, the printout's own messages, its orientation and motor.
struct DatasheetRun {
    platform::PrintRun run;
    core::RecordingMessageSink messages;
    bool landscape = false;
    std::string designation;
};
// The session the options describe, then the printout of its current motor into the sink. Throws a
// usage error when no motor is current or the mode cannot be printed.
DatasheetRun PrintDatasheet(CliContext& ctx, const CommandOptions& options, core::PrintMode mode,
                            platform::PrintJobSink& sink, int copies);

// `datasheet`: the session as for `diagram`, then the printout of the current motor as PDF files,
// one per print job (FILE.pdf, FILE-2.pdf, ...).
int RunDatasheetCommand(CliContext& ctx, const CommandArgs& args);
// `catalogue-table --out FILE.pdf`: the catalogue table, one PDF per page job.
int RunCatalogueTableCommand(CliContext& ctx, const CommandArgs& args);

} // namespace airmotor::cli
