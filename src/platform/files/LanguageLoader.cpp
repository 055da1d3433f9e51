#include "platform/files/LanguageLoader.h"

#include "platform/storage/CatalogueStore.h"

namespace airmotor::platform {

LanguageLoader::LanguageLoader(QString databaseFile) : databaseFile_(std::move(databaseFile)) {}

std::optional<std::string> LanguageLoader::load(core::LanguageState& state) const {
    if (!core::IsLanguageName(state.strLanguage))
        return "Illegal language \"" + state.strLanguage + "\"";
    const CatalogueStore store(databaseFile_);
    auto rows = store.readLanguageRows();
    if (auto* error = std::get_if<StoreError>(&rows))
        return error->message;
    std::vector<core::ImperialRow> imperialRows;
    // The imperial table is only consulted for the imperial variant, as the texts are loaded.
    if (state.strLanguage == "English_Imperial") {
        auto imperial = store.readImperialRows();
        if (auto* error = std::get_if<StoreError>(&imperial))
            return error->message;
        imperialRows = std::move(std::get<std::vector<core::ImperialRow>>(imperial));
    }
    return apply(state, std::get<std::vector<core::LanguageRow>>(rows), imperialRows);
}

std::optional<std::string> LanguageLoader::apply(core::LanguageState& state,
                                                 const std::vector<core::LanguageRow>& rows,
                                                 const std::vector<core::ImperialRow>& imperialRows) const {
    if (auto error = core::ApplyLanguageTexts(state, rows, imperialRows))
        return databaseFile_.toStdString() + ": " + error->message;
    return std::nullopt;
}

} // namespace airmotor::platform
