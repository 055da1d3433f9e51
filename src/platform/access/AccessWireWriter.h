#pragma once

#include "platform/access/AccessTable.h"

#include <string>
#include <string_view>

namespace airmotor::platform {

// The reader process's output, built for a parent that trusts none of it: a magic line, then
// tagged records with explicit lengths and counts (little-endian), closed by an end mark.
//   table:  'T' name  u16 column count  (u8 type, name) per column
//   row:    'R' one value per column: u8 kind, then 8 bytes (whole number, double), 4 bytes
//           (single) or a string; kinds in AccessWireWriter::Kind
//   end of table: 'E' u32 row count;   end of output: 'Z';   failure: 'X' message (last record)
//   string: u32 byte length, then the bytes
class AccessWireWriter final {
public:
    enum Kind : unsigned char {
        Null = 0,
        False = 1,
        True = 2,
        Whole = 3,
        Single = 4,
        Double = 5,
        String = 6
    };
    static constexpr std::string_view kMagic = "AMDB1\n";

    AccessWireWriter() : out_(kMagic) {}

    void beginTable(const std::string& name, const std::vector<AccessColumn>& columns);
    void beginRow() { out_ += 'R'; }
    void value(const AccessValue& v);
    void endTable(std::uint32_t rows);
    void finish() { out_ += 'Z'; }
    void fail(std::string_view message);

    const std::string& bytes() const { return out_; }

private:
    void u16(std::uint16_t v);
    void u32(std::uint32_t v);
    void u64(std::uint64_t v);
    void string(std::string_view s);

    std::string out_;
};

} // namespace airmotor::platform
