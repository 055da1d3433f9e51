#pragma once

#include <QString>

#include <optional>

namespace airmotor::platform {

// The catalogue a program reads, the first that is given of: the command line's location, the
// environment's AIRMOTOR_CATALOGUE, the user's preference and the program folder's own database
// file. One rule for every program, so that the desktop, the CLI and the server agree on it.
QString ChooseCatalogue(const std::optional<QString>& commandLine, const QString& preference,
                        const QString& folderDatabase);

} // namespace airmotor::platform
