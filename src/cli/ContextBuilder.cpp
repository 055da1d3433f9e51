#include "cli/ContextBuilder.h"

#include "core/catalogue/CatalogueLoader.h"
#include "core/format/Utf8.h"
#include "platform/files/LanguageLoader.h"
#include "platform/files/RegularFile.h"
#include "platform/files/SettingsFile.h"
#include "platform/storage/CatalogueChoice.h"
#include "platform/storage/CatalogueStore.h"

namespace airmotor::cli {

GlobalOptions ParseGlobalOptions(const std::vector<std::string>& arguments) {
    GlobalOptions options;
    bool haveCommand = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        auto takeValue = [&](const std::string& name) -> std::string {
            const std::string prefix = name + "=";
            if (arg.rfind(prefix, 0) == 0)
                return arg.substr(prefix.size());
            if (i + 1 >= arguments.size())
                throw UsageError("option " + name + " needs a value");
            return arguments[++i];
        };
        if (arg == "--json") {
            options.json = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--folder" || arg.rfind("--folder=", 0) == 0) {
            options.folder = takeValue("--folder");
            if (options.folder->empty())
                throw UsageError("option --folder needs a folder name");
        } else if (arg == "--catalogue" || arg.rfind("--catalogue=", 0) == 0) {
            options.catalogue = takeValue("--catalogue");
            if (options.catalogue->empty())
                throw UsageError("option --catalogue needs a database file or a postgresql:// URL");
        } else if (arg == "--language" || arg.rfind("--language=", 0) == 0) {
            options.language = takeValue("--language");
            if (!core::IsLanguageName(*options.language))
                throw UsageError("unknown language \"" + *options.language +
                                 "\" (English, English_Imperial, German, French, Italian or Spanish)");
        } else if (!haveCommand && arg.rfind("--", 0) == 0) {
            throw UsageError("unknown option " + arg);
        } else if (!haveCommand) {
            options.command = arg;
            haveCommand = true;
        } else {
            options.args.push_back(arg);
        }
    }
    if (!haveCommand && !options.help && !options.version)
        throw UsageError("no command given");
    return options;
}

FolderCatalogue LoadFolderCatalogue(const std::optional<std::string>& folderName,
                                    const std::optional<std::string>& location, const std::string& programDir,
                                    std::vector<std::string> languages) {
    FolderCatalogue loaded;
    // A name that is not UTF-8 cannot be turned into a path without changing it.
    if (folderName && !core::IsValidUtf8(*folderName))
        throw FolderError("--folder: the folder name is not valid UTF-8 text, the program cannot open it");
    const platform::ProgramFolder folder = platform::ResolveProgramFolder(
        QString::fromStdString(folderName.value_or(std::string())), QString::fromStdString(programDir));
    if (auto problem = platform::CheckReadableFolder(folder.folder))
        throw FolderError(problem->message);
    loaded.folder = folder.folder.toStdString();
    loaded.settings = platform::SettingsFile(folder).read();
    // The command line does not read the desktop user's preference: a script gives the same answer
    // whoever runs it.
    const QString database = platform::ChooseCatalogue(
        location ? std::optional<QString>(QString::fromStdString(*location)) : std::nullopt, QString(),
        folder.databaseFile());
    loaded.databaseFile = database.toStdString();

    if (languages.empty())
        languages.push_back(loaded.settings.strLanguage.empty() ? std::string("English")
                                                                : loaded.settings.strLanguage);
    bool imperial = false;
    for (const std::string& name : languages) {
        if (!core::IsLanguageName(name))
            throw FolderError("Illegal language \"" + name + "\"");
        imperial = imperial || name == "English_Imperial";
    }
    // Texts and motors from one read of the database: never from two versions of the file.
    const platform::CatalogueStore store(database);
    auto snapshot = store.readSnapshot(imperial);
    if (auto* error = std::get_if<platform::StoreError>(&snapshot))
        throw FolderError(error->message);
    const auto& tables = std::get<platform::CatalogueSnapshot>(snapshot);
    const platform::LanguageLoader loader(database);
    for (const std::string& name : languages) {
        core::LanguageState language;
        language.strLanguage = name;
        if (auto error = loader.apply(language, tables.texts, tables.imperialTexts))
            throw FolderError(*error);
        language.units = core::UnitFactors::ForImperial(language.intImperialUnits);
        loaded.languages.push_back(std::move(language));
    }

    auto catalogue = core::LoadCatalogue(tables.motors, database.toStdString());
    if (auto* error = std::get_if<core::LoadError>(&catalogue))
        throw FolderError(error->message);
    auto& result = std::get<core::CatalogueLoadResult>(catalogue);
    loaded.warnings = std::move(result.warnings);
    loaded.catalogue = std::make_shared<const core::MotorCatalogue>(std::move(result.catalogue));
    loaded.rowVersions = std::make_shared<const platform::RowVersions>(tables.rowVersions);
    return loaded;
}

CliContext BuildContext(const GlobalOptions& options, const std::string& programDir, std::ostream& warnings) {
    std::vector<std::string> languages;
    if (options.language)
        languages.push_back(*options.language);
    FolderCatalogue loaded = LoadFolderCatalogue(options.folder, options.catalogue, programDir, languages);
    for (const auto& warning : loaded.warnings)
        warnings << "airmotor-cli: warning: " << warning << '\n';
    CliContext context;
    context.folder = std::move(loaded.folder);
    context.catalogueLocation = std::move(loaded.databaseFile);
    context.settings = std::move(loaded.settings);
    context.language = std::move(loaded.languages.front());
    context.loaded = std::move(loaded.catalogue);
    context.rowVersions = std::move(loaded.rowVersions);
    return context;
}

} // namespace airmotor::cli
