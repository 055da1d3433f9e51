#pragma once

#include "core/maintenance/ProductionData.h"

#include <QString>

namespace airmotor::platform {

// Production data exported to SQLite: the tables Provres and Sheet1 with the fields of the test
// benches, read whole and read-only. Part numbers and serials are filtered in code, never in SQL.
class SqliteProductionSource final : public core::ProductionSource {
public:
    explicit SqliteProductionSource(QString file);
    core::ProductionRead Read() override;

private:
    QString file_;
};

// A production database larger than this is not one.
constexpr qint64 kProductionFileCap = 1024LL * 1024 * 1024;

} // namespace airmotor::platform
