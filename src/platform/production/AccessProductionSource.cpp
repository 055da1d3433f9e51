#include "platform/production/AccessProductionSource.h"

#include <QFileInfo>

#include <type_traits>

namespace airmotor::platform {

namespace {

constexpr char kProvres[] = "Provres";
constexpr char kSheet1[] = "Sheet1";

core::ProductionValue ToProductionValue(const AccessValue& v) {
    return std::visit(
        [](const auto& x) -> core::ProductionValue {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return std::nullopt;
            else if constexpr (std::is_same_v<T, bool>)
                return core::FieldValue{std::int64_t{x ? 1 : 0}};
            else if constexpr (std::is_same_v<T, float>)
                return core::FieldValue{static_cast<double>(x)};
            else
                return core::FieldValue{x};
        },
        v);
}

// Column positions by name, in any case; an error text when one is missing.
std::string FindColumns(const AccessTable& table, std::initializer_list<const char*> names,
                        std::vector<std::size_t>& positions) {
    for (const char* name : names) {
        const QString wanted = QString::fromUtf8(name);
        std::size_t i = 0;
        while (i < table.columns.size() &&
               QString::fromStdString(table.columns[i].name).compare(wanted, Qt::CaseInsensitive) != 0)
            ++i;
        if (i == table.columns.size())
            return "table " + table.name + " has no column " + name;
        positions.push_back(i);
    }
    return {};
}

} // namespace

AccessProductionSource::AccessProductionSource(QString file, const TableSource& tables)
    : file_(std::move(file)), tables_(tables) {}

core::ProductionRead AccessProductionSource::Read() {
    core::ProductionRead read;
    TableReadResult result = tables_.read(file_, {kProvres, kSheet1});
    if (const auto* failed = std::get_if<TableReadError>(&result)) {
        read.error = failed->message;
        return read;
    }
    const auto& tables = std::get<std::vector<AccessTable>>(result);
    const std::string file = QFileInfo(file_).filePath().toStdString();
    std::vector<std::size_t> p;
    if (std::string e =
            FindColumns(tables.at(0),
                        {"Produktnummer", "SerNbr", "Godkänd", "VarvtalEffekt", "LuftförbrukningEffekt",
                         "Moment", "VarvtalTomgång", "LuftförbrukningTomgång"},
                        p);
        !e.empty()) {
        read.error = file + ": " + e;
        return read;
    }
    for (const auto& row : tables[0].rows) {
        auto v = [&](std::size_t k) { return ToProductionValue(row.at(p[k])); };
        read.tables.provres.push_back({v(0), v(1), v(2), v(3), v(4), v(5), v(6), v(7)});
    }
    std::vector<std::size_t> q;
    if (std::string e = FindColumns(tables.at(1), {"SerNbr", "Speed RPM", "Air cons"}, q); !e.empty()) {
        read.error = file + ": " + e;
        read.tables = {};
        return read;
    }
    for (const auto& row : tables[1].rows)
        read.tables.sheet1.push_back({ToProductionValue(row.at(q[0])), ToProductionValue(row.at(q[1])),
                                      ToProductionValue(row.at(q[2]))});
    return read;
}

} // namespace airmotor::platform
