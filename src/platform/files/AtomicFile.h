#pragma once

#include "platform/files/RegularFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>
#include <optional>
#include <variant>

namespace airmotor::platform {

// Replaces the file at `path` with `bytes`, whole or not at all. The bytes go to a new file beside
// the target; every write, the flush to disk and the close are checked before that file is renamed
// over the target, and on any failure it is removed again. So a full disk leaves the old file as it
// was and is reported with the system's reason ("No space left on device"), never as success.
// A symbolic link is followed (the file it names is replaced, the link stays), and the new file
// keeps the permissions of the one it replaces. Only a regular file is ever replaced.
std::optional<FileError> WriteFileAtomically(const QString& path, const QByteArray& bytes);

// Puts `finished`, a complete file another library wrote beside `path` (the same folder), in place
// of `path` the same way: synced to disk first, removed when anything fails. A symbolic link at
// `path` is itself replaced.
std::optional<FileError> CommitFinishedFile(const QString& finished, const QString& path);

// Copies the open file `source` into a new file named nameFor(1), or nameFor(2), ... whichever does
// not exist yet: the name is taken exclusively, so two copies made at once never share one. Every
// write is checked and synced; a failed copy leaves no file behind. The name used, or a message
// naming the file. The caller opens and closes the source: a database must be opened before SQLite
// locks it and closed after, as closing any descriptor of a file drops the process's locks on it.
std::variant<QString, FileError> CopyToNewFile(const QFile& source,
                                               const std::function<QString(int)>& nameFor);

} // namespace airmotor::platform
