#pragma once

#include <cstddef>
#include <cstdint>

namespace airmotor::platform {

// Shared by the Access reader and its reader process.
constexpr std::int64_t kAccessFileCap = 256LL * 1024 * 1024;                  // the largest database read
constexpr std::uint64_t kAccessReaderMemoryLimit = 3ULL * 1024 * 1024 * 1024; // address space
// The reader stops once its output passes the dump limit; the row that passed it adds at most a
// bound text buffer per column, which the parent's cap allows for.
constexpr std::size_t kAccessBindSize = 256 * 1024; // the longest text read whole
constexpr std::size_t kAccessMaxColumns = 256;
constexpr std::int64_t kAccessDumpLimit = 256LL * 1024 * 1024;
constexpr std::int64_t kAccessOutputCap =
    kAccessDumpLimit + static_cast<std::int64_t>(kAccessBindSize * kAccessMaxColumns) + 1024 * 1024;

} // namespace airmotor::platform
