#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>
#include <variant>

namespace airmotor::platform {

// Size caps of the files the program reads: a larger file is not what it claims to be.
constexpr qint64 kSettingsFileCap = 64 * 1024;
constexpr qint64 kSourceFileCap = 64 * 1024 * 1024; // CSV sources of the database build
constexpr qint64 kDrawingFileCap = 32 * 1024 * 1024;

struct FileError {
    std::string message; // names the file and what is wrong with it
};

// The whole content of a regular file (or a symbolic link to one) of at most `cap` bytes. Opened
// without blocking and checked on the open descriptor, so a FIFO, a device or a folder can
// neither hang the program nor feed it without end.
std::variant<QByteArray, FileError> ReadRegularFile(const QString& path, qint64 cap);

// Nothing when `path` may be written by replacing it: it does not exist yet, or it is a regular
// file or a symbolic link to one. A device, FIFO, socket or folder is never replaced.
std::optional<FileError> CheckOutputTarget(const QString& path);

// Nothing when `path` is a folder whose files can be listed and read; else what it is instead.
std::optional<FileError> CheckReadableFolder(const QString& path);

// What kind of thing an existing path is, for messages ("a FIFO", "a folder", ...).
std::string FileKindOf(const QString& path);

} // namespace airmotor::platform
