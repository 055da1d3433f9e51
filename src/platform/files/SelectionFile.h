#pragma once

#include "core/session/SavedSelection.h"
#include "platform/files/RegularFile.h"

#include <QString>

#include <optional>
#include <string>
#include <variant>

namespace airmotor::platform {

// A saved selection is a few hundred bytes; anything far larger is not one.
constexpr qint64 kSelectionFileCap = 256 * 1024;

// Writes the selection as a small JSON document, atomically. A message naming the file on failure.
std::optional<FileError> WriteSelectionFile(const QString& path, const core::SavedSelection& selection);

// Reads a selection file; a file that is not one, is malformed or comes from a newer schema gives a
// message naming the file and what is wrong.
std::variant<core::SavedSelection, FileError> ReadSelectionFile(const QString& path);

// SHA-256 of a file as lower-case hex, "" when it cannot be read.
std::string FileChecksum(const QString& path);

} // namespace airmotor::platform
