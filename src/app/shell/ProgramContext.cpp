#include "app/shell/ProgramContext.h"

#include "core/catalogue/CatalogueLocation.h"
#include "core/common/ProgramVersion.h"
#include "core/language/TaskFault.h"
#include "platform/files/LanguageLoader.h"
#include "platform/files/RegularFile.h"
#include "platform/storage/CatalogueStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace airmotor::app {

namespace {

// Qt's own texts (standard buttons, the dock's buttons, print and file dialogs) follow the program's
// language; English needs none. Numbers keep the C locale whatever the language.
void UseQtTranslations(std::string_view language) {
    static QPointer<QTranslator> installed;
    if (QCoreApplication::instance() == nullptr)
        return;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    const std::string_view stem = language.substr(0, 6);
    const QString code = stem == "German"   ? QStringLiteral("de")
                         : stem == "French" ? QStringLiteral("fr")
                         : stem == "Italia" ? QStringLiteral("it")
                         : stem == "Spanis" ? QStringLiteral("es")
                                            : QString();
    if (code.isEmpty())
        return;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_") + code,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
}

bool IsPostgres(const QString& location) {
    const auto parsed = core::ParseCatalogueLocation(location.toStdString());
    const auto* valid = std::get_if<core::CatalogueLocation>(&parsed);
    return valid != nullptr && valid->isPostgres();
}

} // namespace

QString ProgramContext::location() const {
    if (!databaseOverride.isEmpty())
        return databaseOverride;
    return catalogueLocation.isEmpty() ? folder.databaseFile() : catalogueLocation;
}

QString ProgramContext::databaseFile() const {
    return readOnly() ? cache.fileFor(location()) : location();
}

bool ProgramContext::useOfflineCopy(const std::string& reason) {
    if (!IsPostgres(location()) || !QFileInfo::exists(cache.fileFor(location())))
        return false;
    offlineReason = reason;
    if (loadCatalogue()) {
        offlineReason.reset();
        return false;
    }
    return true;
}

core::CaptionContext ProgramContext::captionContext() const {
    core::CaptionContext context;
    context.priceListDate = settings.strSetting1;
    const core::BuildVersion build = core::ThisBuild();
    context.versionMajor = build.versionMajor;
    context.versionMinor = build.versionMinor;
    context.versionPatch = build.versionPatch;
    return context;
}

std::optional<std::string> ProgramContext::loadCatalogue() {
    // A catalogue file that is not there, or is no file, is said wholly in the user's language; what
    // the database says of a file it cannot read stays its own.
    if (const QString file = databaseFile(); !IsPostgres(file)) {
        std::optional<platform::FileError> missing;
        if (!QFileInfo::exists(file)) {
            core::FileFault fault;
            fault.path = QDir::toNativeSeparators(file).toStdString();
            fault.problem = core::FileProblem::Missing;
            fault.other = "the catalogue database";
            missing = platform::FileError(std::move(fault));
        } else
            missing = platform::NotRegularFile(file);
        if (missing)
            return core::TaskFaultText(
                {core::TaskProblem::CatalogueNotLoaded, {}, missing->message, missing->fault},
                &language.strText, missing->message);
    }
    const platform::CatalogueStore store(databaseFile());
    platform::RowVersions versions;
    auto result = store.loadCatalogue(&versions);
    if (auto* error = std::get_if<core::LoadError>(&result))
        return core::TaskFaultText({core::TaskProblem::CatalogueNotLoaded, {}, error->message, std::nullopt},
                                   &language.strText, error->message);
    rowVersions = std::move(versions);
    auto& loaded = std::get<core::CatalogueLoadResult>(result);
    catalogue = std::move(loaded.catalogue);
    loadWarnings = std::move(loaded.warnings);
    if (!offlineReason && IsPostgres(location())) {
        // The copy only matters on a later day without the server; a failed copy leaves the last
        // one, and this load stands.
        static_cast<void>(cache.refresh(location()));
    }
    return std::nullopt;
}

std::optional<std::string> ProgramContext::loadTexts() {
    auto error = platform::LanguageLoader(databaseFile()).load(language);
    if (!error)
        UseQtTranslations(language.strLanguage);
    return error;
}

std::optional<std::string> ProgramContext::writeSettings() const {
    if (auto error = platform::SettingsFile(folder).write(settings))
        return platform::FileErrorText(*error, &language.strText);
    return std::nullopt;
}

} // namespace airmotor::app
