#include "core/selection/CatalogueListing.h"

#include "core/selection/Designation.h"

namespace airmotor::core {

SearchOutcome CatalogueListing(const MotorCatalogue& catalogue, const MotorFilter& filter,
                               int optObsoleteMotors) {
    SearchOutcome out;
    for (int i = 1; i <= catalogue.intAntalMotorer && i <= kMaxMotors; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const bool old = catalogue.bolOldMotor[k];
        if ((optObsoleteMotors == 1 && !old) || (optObsoleteMotors == 2 && old))
            continue;
        if (!filter.PassesSeries(catalogue, i) || !filter.PassesTkmOptions(catalogue, i) ||
            filter.DropsUnrestricted(catalogue, i) || !filter.PassesTksOptions(catalogue, i))
            continue;
        if (EndsWith(catalogue.strBenamning[k], "-U"))
            out.Label23Visible = true;
        out.rows.push_back(ResultRow{static_cast<std::int16_t>(i), 0.0f, 0.0f});
        out.startTooLow.push_back(false);
    }
    return out;
}

} // namespace airmotor::core
