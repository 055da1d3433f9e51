#pragma once

#include "core/language/Language.h"

#include <array>
#include <cstdint>
#include <string>

namespace airmotor::core {

// What is wrong with a file the program reads or writes. The platform finds it out; the command
// line words it in English (FileFaultEnglish), the windows in the chosen language (FileFaultText).
enum class FileProblem {
    NotRegular,           // `kind` says what the path is instead
    NotFolder,            // a folder was wanted; `kind` says what the path is
    TooLarge,             // over `cap` bytes
    CannotRead,           // `reason`
    CannotWrite,          // `reason`
    CannotWriteBecause,   // `reason` in brackets: a library's explanation rather than the system's
    FolderMissing,        // the folder a new file would go into
    EveryNameTaken,       // every numbered name for a new file exists already
    LinkTargetNotCreated, // `path` is a symbolic link to `other`, which cannot be created
    Missing,              // `other` names what was looked for ("the workbook")
    FolderCannotBeOpened, // `reason`
    ProgramFolderMissing,
    ProgramFolderUnreadable, // `reason`
    FolderNotWritable,       // the folder of `path`; `reason` in brackets, `other` what it keeps from
    FolderNotCreated,        // the folder of `path`
    Content,                 // the file is there but holds no usable data; `reason` says why (English)
    NotWritten,              // a library could not make the file; `reason` says why (English)
};
inline constexpr int kFileProblemCount = 17;

enum class FileKind { RegularFile, Folder, Fifo, Socket, CharacterDevice, BlockDevice, Other };
inline constexpr int kFileKindCount = 7;

// What the failure left on disk, said after the problem.
enum class FileOutcome { Unsaid, NothingWritten, Unchanged, LeftAsItIs };

struct FileFault {
    std::string path; // as the system writes it (native separators)
    FileProblem problem = FileProblem::CannotRead;
    FileKind kind = FileKind::Other;
    std::int64_t cap = 0; // bytes
    std::string reason;   // the operating system's own words (strerror), left untranslated
    std::string other;    // a second name: a link's target, what is missing
    FileOutcome outcome = FileOutcome::Unsaid;
};

// "a folder", "a FIFO", ...; "not a regular file" for a kind without a name.
std::string FileKindEnglish(FileKind kind);

// %1..%3 replaced in one pass, so a file name holding "%2" stays as it is.
std::string FillMarkers(const std::string& text, const std::array<std::string, 3>& values);

// "64 MiB" at a mebibyte and above, else whole kibibytes.
std::string CapText(std::int64_t bytes);

// The English sentence the command line and the server show; stable, recorded answers hold it.
std::string FileFaultEnglish(const FileFault& fault);

// The sentence in the language of `strText`, with the file name and the system's reason filled in.
std::string FileFaultText(const FileFault& fault, const TextTable& strText);

// The text keys of a problem (the file as %1), of a kind ("a folder") and of an outcome (-1: none).
int FileProblemKey(FileProblem problem);
int FileKindKey(FileKind kind);
int FileOutcomeKey(FileOutcome outcome);

} // namespace airmotor::core
