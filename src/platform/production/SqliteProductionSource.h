#pragma once

#include "core/production/ProductionData.h"

#include <QString>

namespace airmotor::platform {

// How much of a production database is read: every row is held in memory, and a file crafted to
// make rows without end (a recursive view, a cross join) must not take the program with it.
struct ProductionReadLimits {
    int rows = 200000; // per table
    qint64 milliseconds = 30000;
};

// Production data exported to SQLite: the tables Provres and Sheet1 with the fields of the test
// benches, read whole and read-only. Part numbers and serials are filtered in code, never in SQL.
// Only stored rows are read: a view, a virtual table or a computed column is refused, and so is a
// table beyond the limits.
class SqliteProductionSource final : public core::ProductionSource {
public:
    explicit SqliteProductionSource(QString file, ProductionReadLimits limits = {});
    core::ProductionRead Read() override;

private:
    QString file_;
    ProductionReadLimits limits_;
};

// A production database larger than this is not one.
constexpr qint64 kProductionFileCap = 1024LL * 1024 * 1024;

} // namespace airmotor::platform
