#include "app/maintenance/CatalogueImportController.h"

#include "app/selection/MainWindow.h"
#include "app/shell/FilePrompts.h"
#include "app/shell/ProgramContext.h"
#include "core/common/Keys.h"
#include "core/language/TaskFault.h"
#include "core/results/SearchSummary.h"
#include "platform/access/AccessReader.h"
#include "platform/storage/CatalogueImport.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace airmotor::app {

CatalogueImportController::CatalogueImportController(MainWindow& main, ProgramContext& context,
                                                     core::MessageSink& sink)
    : QObject(&main), ownPrompts(std::make_unique<DialogPrompts>()),
      ownSource(std::make_unique<platform::AccessReader>(platform::AccessReader::defaultReaderProgram())),
      window(main), program(context), messages(sink), prompts(*ownPrompts), source(*ownSource) {
    connect(&main, &MainWindow::importCatalogueRequested, this, &CatalogueImportController::run);
}

CatalogueImportController::CatalogueImportController(MainWindow& main, ProgramContext& context,
                                                     core::MessageSink& sink, FilePrompts& filePrompts,
                                                     const platform::TableSource& tables)
    : QObject(&main), window(main), program(context), messages(sink), prompts(filePrompts), source(tables) {
    connect(&main, &MainWindow::importCatalogueRequested, this, &CatalogueImportController::run);
}

CatalogueImportController::~CatalogueImportController() = default;

QString CatalogueImportController::text(int key) const {
    return QString::fromStdString(program.language.strText(key));
}

void CatalogueImportController::show(const std::string& message, core::MessageIcon icon) {
    messages.show(
        {.text = message, .icon = icon, .title = text(core::TextKey::ImportCatalogueTitle).toStdString()});
}

// The checks' own sentence names the place and the fault: it stays as the command line prints it,
// after a lead in the chosen language.
void CatalogueImportController::showNotImported(const platform::BuildError& error) {
    show(core::TaskFaultText({core::TaskProblem::CatalogueNotImported, {}, error.message, std::nullopt},
                             &program.language.strText, error.message),
         core::MessageIcon::Critical);
}

void CatalogueImportController::run() {
    const QString title = text(core::TextKey::ImportCatalogueTitle);
    const QString allFiles = text(core::TextKey::AllFilesFilter) + QStringLiteral(" (*)");
    const QString legacy = prompts.openFile(&window, title,
                                            text(core::TextKey::AccessCataloguesFilter) +
                                                QStringLiteral(" (*.mdb *.accdb);;") + allFiles);
    if (legacy.isEmpty())
        return;
    // A file that is no catalogue is refused before the user is asked where its copy goes.
    const platform::CatalogueImport import(source);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto tables = import.read(legacy);
    QApplication::restoreOverrideCursor();
    if (const auto* error = std::get_if<platform::BuildError>(&tables)) {
        showNotImported(*error);
        return;
    }
    const QFileInfo info(legacy);
    const QString output = prompts.saveFile(
        &window, text(core::TextKey::SaveNewCatalogueTitle),
        info.dir().filePath(info.completeBaseName() + QStringLiteral(".db")),
        text(core::TextKey::CatalogueDatabasesFilter) + QStringLiteral(" (*.db);;") + allFiles);
    if (output.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto result = platform::CatalogueImport::write(
        std::move(std::get<platform::CatalogueImport::ReadTables>(tables)), output);
    QApplication::restoreOverrideCursor();
    if (const auto* error = std::get_if<platform::BuildError>(&result)) {
        showNotImported(*error);
        return;
    }
    const auto& summary = std::get<platform::BuildSummary>(result);
    const QString question = QString::fromStdString(core::FillPlaceholders(
        program.language.strText(core::TextKey::UseImportedCatalogue),
        {QDir::toNativeSeparators(output).toStdString(), std::to_string(summary.motors),
         std::to_string(summary.texts), std::to_string(summary.imperialTexts),
         QDir::toNativeSeparators(program.databaseFile()).toStdString()}));
    if (prompts.confirm(&window, title, question))
        switchTo(output);
}

void CatalogueImportController::switchTo(const QString& database) {
    const QString previous = program.databaseOverride;
    program.databaseOverride = database;
    std::optional<std::string> error = program.loadCatalogue();
    if (!error)
        error = program.loadTexts();
    if (error) {
        // Back to the catalogue in use: the window still shows its motors.
        program.databaseOverride = previous;
        program.loadCatalogue();
        show(*error, core::MessageIcon::Critical);
        return;
    }
    window.catalogueReplaced();
    for (const std::string& warning : program.loadWarnings)
        show(warning, core::MessageIcon::Warning);
}

} // namespace airmotor::app
