#include "cli/ContextBuilder.h"

#include "core/catalogue/CatalogueLoader.h"
#include "core/format/Utf8.h"
#include "platform/files/LanguageLoader.h"
#include "platform/files/RegularFile.h"
#include "platform/files/SettingsFile.h"
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

CliContext BuildContext(const GlobalOptions& options, const std::string& programDir, std::ostream& warnings) {
    CliContext context;
    // A name that is not UTF-8 cannot be turned into a path without changing it.
    if (options.folder && !core::IsValidUtf8(*options.folder))
        throw FolderError("--folder: the folder name is not valid UTF-8 text, the program cannot open it");
    const platform::ProgramFolder folder = platform::ResolveProgramFolder(
        QString::fromStdString(options.folder.value_or(std::string())), QString::fromStdString(programDir));
    if (auto problem = platform::CheckReadableFolder(folder.folder))
        throw FolderError(problem->message);
    context.folder = folder.folder.toStdString();
    context.settings = platform::SettingsFile(folder).read();

    const QString database = folder.databaseFile();
    context.language.strLanguage = options.language.value_or(
        context.settings.strLanguage.empty() ? std::string("English") : context.settings.strLanguage);
    if (!core::IsLanguageName(context.language.strLanguage))
        throw FolderError("Illegal language \"" + context.language.strLanguage + "\"");
    // Texts and motors from one read of the database: never from two versions of the file.
    const platform::CatalogueStore store(database);
    auto snapshot = store.readSnapshot(context.language.strLanguage == "English_Imperial");
    if (auto* error = std::get_if<platform::StoreError>(&snapshot))
        throw FolderError(error->message);
    const auto& tables = std::get<platform::CatalogueSnapshot>(snapshot);
    if (auto error =
            platform::LanguageLoader(database).apply(context.language, tables.texts, tables.imperialTexts))
        throw FolderError(*error);
    context.language.units = core::UnitFactors::ForImperial(context.language.intImperialUnits);

    auto loaded = core::LoadCatalogue(tables.motors, database.toStdString());
    if (auto* error = std::get_if<core::LoadError>(&loaded))
        throw FolderError(error->message);
    auto& result = std::get<core::CatalogueLoadResult>(loaded);
    for (const auto& warning : result.warnings)
        warnings << "airmotor-cli: warning: " << warning << '\n';
    context.catalogue = std::move(result.catalogue);
    return context;
}

} // namespace airmotor::cli
