#pragma once

#include "core/catalogue/MotorCatalogue.h"
#include "core/selection/MotorFilter.h"
#include "core/selection/MotorSearch.h"

namespace airmotor::core {

// The catalogue view's list: every motor of the ticked series that passes the option filters, in
// catalogue order, without a requirement (r = p = 0). optObsoleteMotors: 0 all, 1 only obsolete,
// 2 only new.
SearchOutcome CatalogueListing(const MotorCatalogue& catalogue, const MotorFilter& filter,
                               int optObsoleteMotors);

} // namespace airmotor::core
