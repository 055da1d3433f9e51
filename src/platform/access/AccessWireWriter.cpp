#include "platform/access/AccessWireWriter.h"

#include <bit>

namespace airmotor::platform {

void AccessWireWriter::u16(std::uint16_t v) {
    for (int k = 0; k < 2; ++k)
        out_ += static_cast<char>((v >> (8 * k)) & 0xFF);
}

void AccessWireWriter::u32(std::uint32_t v) {
    for (int k = 0; k < 4; ++k)
        out_ += static_cast<char>((v >> (8 * k)) & 0xFF);
}

void AccessWireWriter::u64(std::uint64_t v) {
    for (int k = 0; k < 8; ++k)
        out_ += static_cast<char>((v >> (8 * k)) & 0xFF);
}

void AccessWireWriter::string(std::string_view s) {
    u32(static_cast<std::uint32_t>(s.size()));
    out_.append(s);
}

void AccessWireWriter::beginTable(const std::string& name, const std::vector<AccessColumn>& columns) {
    out_ += 'T';
    string(name);
    u16(static_cast<std::uint16_t>(columns.size()));
    for (const AccessColumn& c : columns) {
        out_ += static_cast<char>(c.type);
        string(c.name);
    }
}

void AccessWireWriter::value(const AccessValue& v) {
    if (std::holds_alternative<std::monostate>(v)) {
        out_ += static_cast<char>(Null);
    } else if (const auto* b = std::get_if<bool>(&v)) {
        out_ += static_cast<char>(*b ? True : False);
    } else if (const auto* i = std::get_if<std::int64_t>(&v)) {
        out_ += static_cast<char>(Whole);
        u64(static_cast<std::uint64_t>(*i));
    } else if (const auto* f = std::get_if<float>(&v)) {
        out_ += static_cast<char>(Single);
        u32(std::bit_cast<std::uint32_t>(*f));
    } else if (const auto* d = std::get_if<double>(&v)) {
        out_ += static_cast<char>(Double);
        u64(std::bit_cast<std::uint64_t>(*d));
    } else {
        out_ += static_cast<char>(String);
        string(std::get<std::string>(v));
    }
}

void AccessWireWriter::endTable(std::uint32_t rows) {
    out_ += 'E';
    u32(rows);
}

void AccessWireWriter::fail(std::string_view message) {
    out_ += 'X';
    string(message);
}

} // namespace airmotor::platform
