#include "platform/storage/CatalogueChoice.h"

namespace airmotor::platform {

QString ChooseCatalogue(const std::optional<QString>& commandLine, const QString& preference,
                        const QString& folderDatabase) {
    if (commandLine && !commandLine->isEmpty())
        return *commandLine;
    if (const QString chosen = qEnvironmentVariable("AIRMOTOR_CATALOGUE"); !chosen.isEmpty())
        return chosen;
    if (!preference.trimmed().isEmpty())
        return preference.trimmed();
    return folderDatabase;
}

} // namespace airmotor::platform
