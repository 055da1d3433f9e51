#include "core/analysis/ComparisonSelection.h"

#include "core/analysis/MotorComparison.h"
#include "core/common/Keys.h"
#include "core/results/SearchSummary.h"
#include "core/session/SelectionSession.h"

#include <algorithm>

namespace airmotor::core {

namespace {

std::vector<float> ResultState(const SelectionSession& session) {
    const RequirementValues& v = session.input().values;
    std::vector<float> state = {v.sngArbetsMoment, v.sngArbetsVarvtal, v.sngMinStartmoment,
                                v.sngTillgLuftTryck, session.bolArbetspunkt() ? 1.0f : 0.0f};
    for (const ResultRow& row : session.results().rows) {
        state.push_back(static_cast<float>(row.intRadKatalogindex));
        state.push_back(row.sngRadStrypning);
        state.push_back(row.sngRadTryck);
    }
    return state;
}

} // namespace

std::optional<std::string> ComparisonSelection::toggle(int row, const TextTable& strText) {
    const auto at = std::lower_bound(rows_.begin(), rows_.end(), row);
    if (at != rows_.end() && *at == row) {
        rows_.erase(at);
        return std::nullopt;
    }
    if (static_cast<int>(rows_.size()) >= kMaxComparedMotors)
        return FillPlaceholders(strText(TextKey::TooManyComparedMotors),
                                {std::to_string(kMaxComparedMotors)});
    rows_.insert(at, row);
    return std::nullopt;
}

bool ComparisonSelection::contains(int row) const {
    return std::binary_search(rows_.begin(), rows_.end(), row);
}

bool ComparisonSelection::follow(const SelectionSession& session) {
    std::vector<float> state = ResultState(session);
    if (state == shown_)
        return false;
    shown_ = std::move(state);
    const bool had = !rows_.empty();
    rows_.clear();
    return had;
}

} // namespace airmotor::core
