#pragma once

#include "platform/access/AccessTable.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace airmotor::platform {

struct AccessWireError {
    std::string message;
    bool fromReader = false; // the reader's own account of a failure, not a fault of the output
};

// Checks the reader's output (AccessWireWriter) record by record: every length within the bytes
// left, every count and type consistent, names and texts valid UTF-8, exactly the requested
// tables in the requested order, nothing after the end mark. A failure the reader reports comes
// back with its message cleaned of control characters and shortened.
class AccessWireParser final {
public:
    static std::variant<std::vector<AccessTable>, AccessWireError>
    parse(std::string_view bytes, const std::vector<std::string>& tables);
};

} // namespace airmotor::platform
