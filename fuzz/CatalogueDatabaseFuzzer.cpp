// The start-up load on a hostile Zevodida.db: the snapshot read, the text loader (with the imperial
// replacements) and the catalogue load rules. Each step answers with data or an error message.
#include "FuzzFolder.h"
#include "core/catalogue/CatalogueLoader.h"
#include "platform/files/LanguageLoader.h"
#include "platform/storage/CatalogueStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static airmotor::fuzz::FuzzFolder folder;
    const QString database = folder.path(QStringLiteral("Zevodida.db"));
    QFile::remove(database + QStringLiteral("-journal"));
    folder.write(QStringLiteral("Zevodida.db"), airmotor::fuzz::FuzzFolder::bytes(data, size));
    const airmotor::platform::CatalogueStore store(database);
    auto snapshot = store.readSnapshot(true);
    const auto* tables = std::get_if<airmotor::platform::CatalogueSnapshot>(&snapshot);
    if (tables == nullptr)
        return 0;
    for (const char* language : {"English_Imperial", "German"}) {
        airmotor::core::LanguageState state;
        state.strLanguage = language;
        (void)airmotor::platform::LanguageLoader(database).apply(state, tables->texts, tables->imperialTexts);
    }
    (void)airmotor::core::LoadCatalogue(tables->motors, database.toStdString());
    return 0;
}
