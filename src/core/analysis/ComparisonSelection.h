#pragma once

#include "core/language/Language.h"

#include <optional>
#include <string>
#include <vector>

namespace airmotor::core {

class SelectionSession;

// The result rows ticked for the comparison (1-based, ascending). They index one result list: a new
// search or listing, a new duty or another pressure forgets them.
class ComparisonSelection final {
public:
    // Ticks the row or takes the tick back; a tick beyond the limit is refused with the message
    // returned (in the language of the text table), and nothing changes.
    std::optional<std::string> toggle(int row, const TextTable& strText);
    bool contains(int row) const;
    const std::vector<int>& rows() const { return rows_; }
    void clear() { rows_.clear(); }

    // Clears the ticks when the session's result list or duty is no longer the one they were made
    // on; true when it did.
    bool follow(const SelectionSession& session);

private:
    std::vector<int> rows_;
    std::vector<float> shown_; // what the ticks refer to: duty, pressure and every row
};

} // namespace airmotor::core
