#include "app/ProgramContext.h"

#include "platform/CatalogueStore.h"
#include "platform/LanguageLoader.h"

namespace airmotor::app {

QString ProgramContext::databaseFile() const {
    return databaseOverride.isEmpty() ? folder.databaseFile() : databaseOverride;
}

core::CaptionContext ProgramContext::captionContext() const {
    core::CaptionContext context;
    context.priceListDate = settings.strSetting1;
    context.versionMajor = AIRMOTOR_VERSION_MAJOR;
    context.versionMinor = AIRMOTOR_VERSION_MINOR;
    context.versionPatch = AIRMOTOR_VERSION_PATCH;
    return context;
}

std::optional<std::string> ProgramContext::loadCatalogue() {
    const platform::CatalogueStore store(databaseFile());
    auto result = store.loadCatalogue();
    if (auto* error = std::get_if<core::LoadError>(&result))
        return error->message;
    auto& loaded = std::get<core::CatalogueLoadResult>(result);
    catalogue = std::move(loaded.catalogue);
    loadWarnings = std::move(loaded.warnings);
    return std::nullopt;
}

std::optional<std::string> ProgramContext::loadTexts() {
    return platform::LanguageLoader(databaseFile()).load(language);
}

std::optional<std::string> ProgramContext::writeSettings() const {
    return platform::SettingsFile(folder).write(settings);
}

} // namespace airmotor::app
