#pragma once

#include "core/language/FileFault.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace airmotor::platform {

// Size caps of the files the program reads: a larger file is not what it claims to be.
constexpr qint64 kSettingsFileCap = 64 * 1024;
constexpr qint64 kSourceFileCap = 64 * 1024 * 1024; // CSV sources of the database build
constexpr qint64 kDrawingFileCap = 32 * 1024 * 1024;

// What is wrong with a file: the structure for the windows, which word it in the chosen language,
// and its English sentence for the command line, the server and the logs.
struct FileError {
    explicit FileError(core::FileFault f) : fault(std::move(f)), message(core::FileFaultEnglish(fault)) {}
    core::FileFault fault;
    std::string message; // names the file and what is wrong with it
};

// The error in the language of `strText`; in English (its message) without a table.
std::string FileErrorText(const FileError& error, const core::TextTable* strText);

// A fault at `path` (named with native separators) with the system's reason, if any.
FileError FaultAt(const QString& path, core::FileProblem problem, std::string reason = {},
                  core::FileOutcome outcome = core::FileOutcome::Unsaid);

// The whole content of a regular file (or a symbolic link to one) of at most `cap` bytes. Opened
// without blocking and checked on the open descriptor, so a FIFO, a device or a folder can
// neither hang the program nor feed it without end.
std::variant<QByteArray, FileError> ReadRegularFile(const QString& path, qint64 cap);

// Nothing when `path` may be written by replacing it: it does not exist yet, or it is a regular
// file or a symbolic link to one. A device, FIFO, socket or folder is never replaced.
std::optional<FileError> CheckOutputTarget(const QString& path);

// Nothing when `path` is a folder whose files can be listed and read; else what it is instead.
std::optional<FileError> CheckReadableFolder(const QString& path);

// A path that is not what was wanted (NotRegular, NotFolder), its kind read from the mode of stat(2).
FileError KindFault(const QString& path, unsigned mode, core::FileProblem problem,
                    core::FileOutcome outcome = core::FileOutcome::Unsaid);

// What kind of thing an existing path is, for messages ("a FIFO", "a folder", ...).
std::string FileKindOf(const QString& path);

// What a path is when it is not a regular file: the fault naming its kind, or nothing for a regular
// file (or a link to one). A path that cannot be examined is a fault with the system's reason.
std::optional<FileError> NotRegularFile(const QString& path);

} // namespace airmotor::platform
