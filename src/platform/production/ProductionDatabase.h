#pragma once

#include "core/production/ProductionData.h"

#include <QString>

#include <memory>

namespace airmotor::platform {

// Files of the production comparison below the program folder.
inline constexpr char kProductionFolder[] = "Produktionsdata";
inline constexpr char kProductionDatabaseName[] = "Alla TKM Trebro och Ungern Test.mdb";
// The workbook of the editor's batch and that of the main window's batch (sheet "TKM").
inline constexpr char kEditorBatchWorkbookName[] = "Alla TKM Trebro och Ungern Test.xlsx";
inline constexpr char kMainBatchWorkbookName[] = "Produktionsdata Ungern med filtrering.xlsx";

// The Access database of the production folder; when only an SQLite export of the same name
// (".sqlite") is there, that one.
QString DefaultProductionDatabase(const QString& programFolder);
QString ProductionWorkbook(const QString& programFolder, const char* name);

// The reader of a production database chosen by its content: SQLite files are read here; any other
// file is taken for an Access database.
std::unique_ptr<core::ProductionSource> OpenProductionDatabase(const QString& file);

} // namespace airmotor::platform
