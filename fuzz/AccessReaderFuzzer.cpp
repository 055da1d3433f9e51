// The reading side of the Access reader (the reader process's work) on any bytes: each table is
// written as output that the program's own check accepts, or the read ends in a message that the
// check passes on; never a crash. A hang here is what the reader process's time limit is for.
#include "platform/access/AccessDump.h"
#include "platform/access/AccessWireParser.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The tables of the seeds (a missing one is a read that ends early).
const std::vector<std::string> kTables = {"Table1", "MSP_PROJECTS"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const std::string& table : kTables) {
        std::string database(reinterpret_cast<const char*>(data), size);
        const auto dumped = airmotor::platform::AccessDump::dump(database, {table});
        const auto parsed = airmotor::platform::AccessWireParser::parse(dumped.output, {table});
        const auto* error = std::get_if<airmotor::platform::AccessWireError>(&parsed);
        if (dumped.ok ? error != nullptr : (error == nullptr || !error->fromReader || error->message.empty()))
            std::abort(); // the two sides disagree about the format
    }
    return 0;
}
