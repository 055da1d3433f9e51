#include "platform/storage/CatalogueImport.h"

#include "core/catalogue/MotorRow.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cctype>

namespace airmotor::platform {
namespace {

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// Yes/No values as the bundled sources hold them (0 and 1); single values widened without change.
SourceCell CellOf(const AccessValue& value) {
    if (const auto* b = std::get_if<bool>(&value))
        return std::int64_t{*b ? 1 : 0};
    if (const auto* i = std::get_if<std::int64_t>(&value))
        return *i;
    if (const auto* f = std::get_if<float>(&value))
        return static_cast<double>(*f);
    if (const auto* d = std::get_if<double>(&value))
        return *d;
    if (const auto* s = std::get_if<std::string>(&value))
        return *s;
    return std::monostate{};
}

std::variant<SourceTable, BuildError> Map(const std::string& file, const AccessTable& table,
                                          const core::TableDef& def) {
    const std::string at = file + ":" + table.name + ": ";
    const std::size_t expected = def.columns.size();
    for (std::size_t k = 0; k < std::max(expected, table.columns.size()); ++k) {
        const std::string position = "column " + std::to_string(k + 1);
        if (k >= table.columns.size())
            return BuildError{at + position + " " + std::string(def.columns[k].name) + " is missing"};
        if (k >= expected)
            return BuildError{at + position + " " + table.columns[k].name +
                              " is not a column of the catalogue's " + table.name};
        if (!SameName(table.columns[k].name, def.columns[k].name))
            return BuildError{at + position + " is named " + table.columns[k].name + " where " +
                              std::string(def.columns[k].name) + " is expected"};
    }
    SourceTable source;
    source.rows.reserve(table.rows.size());
    for (const auto& row : table.rows) {
        std::vector<SourceCell> cells;
        cells.reserve(row.size());
        for (const AccessValue& value : row)
            cells.push_back(CellOf(value));
        source.rows.push_back(std::move(cells));
    }
    source.where = [prefix = file + ":" + table.name + ":"](std::size_t row, std::string_view column) {
        return prefix + std::to_string(row + 1) + ":" + std::string(column);
    };
    return source;
}

} // namespace

CatalogueImport::CatalogueImport(const TableSource& source) : source_(source) {}

const std::vector<std::string>& CatalogueImport::tableNames() {
    static const std::vector<std::string> names = {std::string(core::MotorTable().name),
                                                   std::string(DatabaseBuilder::textTable().name),
                                                   std::string(DatabaseBuilder::imperialTable().name)};
    return names;
}

std::variant<CatalogueImport::ReadTables, BuildError> CatalogueImport::read(const QString& legacyFile) const {
    const std::string name = QDir::toNativeSeparators(legacyFile).toStdString();
    auto read = source_.read(legacyFile, tableNames());
    if (const auto* error = std::get_if<TableReadError>(&read))
        return BuildError{error->message};
    const auto& tables = std::get<std::vector<AccessTable>>(read);
    if (tables.size() != tableNames().size())
        return BuildError{name + ": the tables read are not the three asked for"};
    const std::array<const core::TableDef*, 3> defs = {&core::MotorTable(), &DatabaseBuilder::textTable(),
                                                       &DatabaseBuilder::imperialTable()};
    ReadTables mapped{legacyFile, {}};
    for (std::size_t t = 0; t < defs.size(); ++t) {
        auto source = Map(name, tables[t], *defs[t]);
        if (const auto* error = std::get_if<BuildError>(&source))
            return *error;
        mapped.tables[t] = std::move(std::get<SourceTable>(source));
    }
    return mapped;
}

std::variant<BuildSummary, BuildError> CatalogueImport::write(ReadTables read, const QString& outputFile) {
    const QFileInfo in(read.legacyFile);
    const QFileInfo out(outputFile);
    if (in.exists() && out.exists() && in.canonicalFilePath() == out.canonicalFilePath())
        return BuildError{QDir::toNativeSeparators(outputFile).toStdString() +
                          ": the new catalogue would replace the legacy file it is made from"};
    return DatabaseBuilder::build(
        BuildSources{std::move(read.tables[0]), std::move(read.tables[1]), std::move(read.tables[2])},
        outputFile);
}

std::variant<BuildSummary, BuildError> CatalogueImport::run(const QString& legacyFile,
                                                            const QString& outputFile) const {
    auto tables = read(legacyFile);
    if (const auto* error = std::get_if<BuildError>(&tables))
        return *error;
    return write(std::move(std::get<ReadTables>(tables)), outputFile);
}

} // namespace airmotor::platform
