#pragma once

#include "core/language/FileFault.h"
#include "core/language/Language.h"

#include <optional>
#include <string>

namespace airmotor::core {

// Why a task the windows started could not be done: showing a dimension drawing, importing or
// loading a catalogue, reading production data, opening a certificate document, printing a
// picture. The platform finds it out; the command line and the server keep the English message they
// have always printed, the windows word the fault in the chosen language (TaskFaultText).
enum class TaskProblem {
    DrawingNone,          // the motor has no drawing
    DrawingNameNotPlain,  // `subject`: the name from the catalogue
    DrawingNotFound,      // `subject`: the file looked for
    DrawingNotShown,      // `subject`: the file; not a picture the program can draw
    MetafileNotRead,      // `subject`: the file; `detail`: the converter's reason
    CatalogueNotImported, // `detail`: where and what (English, from the checks of the build)
    CatalogueNotLoaded,   // `detail`: where and what (English, from the database)
    ProductionNotRead,    // `detail`: where and what (English, from the production source)
    ProductionNotTicked,
    ProductionNoWorkbook,
    ProductionSheetNotOpened, // `detail`: the workbook and why (English)
    CertificateMissing,       // `subject`: the document looked for
    CertificateNotOpened,     // `subject`: the document
    PictureMissing,           // `subject`: the picture; `detail`: the names looked for
    PictureNotPrinted,        // `subject`: the file; not a picture the program can print
};
inline constexpr int kTaskProblemCount = 15;

struct TaskFault {
    TaskProblem problem = TaskProblem::DrawingNone;
    std::string subject;
    std::string detail;
    // A file that cannot be read behind the problem: its own sentence in the chosen language
    // stands in for `detail`.
    std::optional<FileFault> file;
};

// The sentence in the language of `strText`: `subject` as %1, the detail (or the file's sentence)
// as %2. A problem whose text does not hold %2 but has a file fault is followed by the file's
// sentence.
std::string TaskFaultText(const TaskFault& fault, const TextTable& strText);

// The same, or `english` without a table or before the table holds the problem's text.
std::string TaskFaultText(const TaskFault& fault, const TextTable* strText, const std::string& english);

int TaskProblemKey(TaskProblem problem);

} // namespace airmotor::core
