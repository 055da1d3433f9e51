#pragma once

#include "platform/RegularFile.h"

#include <QByteArray>
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

// Copies `from` into a new file named nameFor(1), or nameFor(2), ... whichever does not exist yet:
// the name is taken by creating the file exclusively, so two copies made at once never share one.
// Every write is checked and synced; a failed copy leaves no file behind. The name used, or a
// message naming the file.
// `openSource`, when given, is an open descriptor of `from` that is read instead and left open: a
// process's POSIX record locks on a file (SQLite's) go with the closing of any descriptor of it,
// so a database copied while its connection holds a lock must be read through one that stays open
// until the connection has finished.
std::variant<QString, FileError>
CopyToNewFile(const QString& from, const std::function<QString(int)>& nameFor, int openSource = -1);

} // namespace airmotor::platform
