#pragma once

#include "core/production/ProductionData.h"
#include "platform/access/TableSource.h"

#include <QString>

namespace airmotor::platform {

// Production rows of an Access file (or any file a TableSource reads), with the columns found by
// name, in any case, so a test bench that orders its columns differently still reads right.
class AccessProductionSource final : public core::ProductionSource {
public:
    AccessProductionSource(QString file, const TableSource& tables);
    core::ProductionRead Read() override;

private:
    QString file_;
    const TableSource& tables_;
};

} // namespace airmotor::platform
