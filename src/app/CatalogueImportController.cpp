#include "app/CatalogueImportController.h"

#include "app/FilePrompts.h"
#include "app/MainWindow.h"
#include "app/ProgramContext.h"
#include "platform/CatalogueImport.h"
#include "platform/access/AccessReader.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace airmotor::app {
namespace {

const QString kTitle = QStringLiteral("Import catalogue");

} // namespace

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

void CatalogueImportController::show(const std::string& text, core::MessageIcon icon) {
    messages.show({.text = text, .icon = icon, .title = kTitle.toStdString()});
}

void CatalogueImportController::run() {
    const QString legacy =
        prompts.openFile(&window, kTitle, QStringLiteral("Access catalogues (*.mdb *.accdb);;All files (*)"));
    if (legacy.isEmpty())
        return;
    const QFileInfo info(legacy);
    const QString output =
        prompts.saveFile(&window, QStringLiteral("Save the new catalogue as"),
                         info.dir().filePath(info.completeBaseName() + QStringLiteral(".db")),
                         QStringLiteral("Catalogue databases (*.db);;All files (*)"));
    if (output.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto result = platform::CatalogueImport(source).run(legacy, output);
    QApplication::restoreOverrideCursor();
    if (const auto* error = std::get_if<platform::BuildError>(&result)) {
        show(error->message, core::MessageIcon::Critical);
        return;
    }
    const auto& summary = std::get<platform::BuildSummary>(result);
    const QString question = QStringLiteral("%1 now holds %2 motors, %3 texts and %4 imperial texts.\n\n"
                                            "Use this catalogue instead of %5 until the program ends?")
                                 .arg(QDir::toNativeSeparators(output))
                                 .arg(summary.motors)
                                 .arg(summary.texts)
                                 .arg(summary.imperialTexts)
                                 .arg(QDir::toNativeSeparators(program.databaseFile()));
    if (prompts.confirm(&window, kTitle, question))
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
