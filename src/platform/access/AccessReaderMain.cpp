// The reader process of the Access reader: the database on standard input, the names of the
// tables to read as arguments, the tables on standard output (AccessWireWriter's format). Run by
// AccessReader under a time limit; it touches no file and reads no environment.
#include "platform/access/AccessDump.h"
#include "platform/access/AccessReaderLimits.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitized = true;
#else
constexpr bool kAddressSanitized = false;
#endif
#else
constexpr bool kAddressSanitized = false;
#endif

bool ReadAll(int fd, std::string& into, std::size_t cap) {
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n == 0)
            return true;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        into.append(chunk, static_cast<std::size_t>(n));
        if (into.size() > cap)
            return false;
    }
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    using namespace airmotor::platform;
    // A damaged file can make libmdb allocate without end: fail early instead of swapping.
    // AddressSanitizer reserves terabytes of shadow address space and dies under an address-space
    // cap, so a sanitized build relies on the sanitizer's own allocation limit instead.
    if constexpr (!kAddressSanitized) {
        const rlimit memory{kAccessReaderMemoryLimit, kAccessReaderMemoryLimit};
        ::setrlimit(RLIMIT_AS, &memory);
    }
    std::vector<std::string> tables(argv + 1, argv + argc);
    std::string database;
    if (tables.empty() || !ReadAll(STDIN_FILENO, database, static_cast<std::size_t>(kAccessFileCap)))
        return 2;
    const AccessDump::Result result = AccessDump::dump(database, tables);
    if (!WriteAll(STDOUT_FILENO, result.output))
        return 2;
    return result.ok ? 0 : 1;
}
