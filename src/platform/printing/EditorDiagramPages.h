#pragma once

#include "core/maintenance/EditorDiagram.h"
#include "platform/printing/PrintJobs.h"

#include <QString>

#include <functional>

namespace airmotor::platform {

// One print job of `pages` landscape A4 pages; page n (1-based) is the diagram diagramOf(n, dpi)
// returns. An empty text when the job was completed, else what failed (the job is dropped).
QString PrintEditorDiagrams(PrintJobSink& sink, const QString& title, int pages,
                            const std::function<core::EditorDiagram(int, double)>& diagramOf);

} // namespace airmotor::platform
