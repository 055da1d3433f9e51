#pragma once

#include "core/common/MessageSink.h"

#include <QObject>
#include <QString>

#include <memory>

namespace airmotor::platform {
class TableSource;
struct BuildError;
} // namespace airmotor::platform

namespace airmotor::app {

class FilePrompts;
class MainWindow;
struct ProgramContext;

// File menu "Import catalogue…": asks for a legacy Access catalogue and the new database file,
// imports (platform::CatalogueImport) and offers to read the new catalogue for the rest of the run.
// Owned by the main window.
class CatalogueImportController final : public QObject {
    Q_OBJECT
public:
    // The desktop's dialogs and the Access reader of this installation.
    CatalogueImportController(MainWindow& window, ProgramContext& program, core::MessageSink& messages);
    CatalogueImportController(MainWindow& window, ProgramContext& program, core::MessageSink& messages,
                              FilePrompts& prompts, const platform::TableSource& source);
    ~CatalogueImportController() override;

    void run();

private:
    void show(const std::string& message, core::MessageIcon icon);
    void showNotImported(const platform::BuildError& error);
    QString text(int key) const;
    void switchTo(const QString& database);

    std::unique_ptr<FilePrompts> ownPrompts;
    std::unique_ptr<const platform::TableSource> ownSource;
    MainWindow& window;
    ProgramContext& program;
    core::MessageSink& messages;
    FilePrompts& prompts;
    const platform::TableSource& source;
};

} // namespace airmotor::app
