#pragma once

#include <string>
#include <vector>

namespace airmotor::platform {

// The reading side of the Access reader, run in the reader process only (libmdb can loop for
// ever or crash on a damaged file): the named tables of a database held in memory, every row
// and column, written in the reader's output format (AccessWireWriter). Numbers are taken raw
// from the row, not from libmdb's locale-dependent text; Null is told from an empty text by the
// row's null mask. A failure ends the output with a message instead of the end mark.
class AccessDump final {
public:
    struct Result {
        std::string output;
        bool ok = false;
    };
    static Result dump(std::string& database, const std::vector<std::string>& tables);
};

} // namespace airmotor::platform
