#include "platform/access/AccessWireParser.h"

#include "core/format/Utf8.h"
#include "platform/access/AccessWireWriter.h"

#include <bit>
#include <cstring>
#include <optional>

namespace airmotor::platform {
namespace {

constexpr std::size_t kMaxNameBytes = 1024;   // Access names are at most 64 characters
constexpr std::size_t kMaxColumns = 256;      // the format's own limit
constexpr std::size_t kMaxMessageBytes = 400; // a reader's message shown to the user
// A cell takes one byte of output but tens of bytes in memory: bounds what a hostile output costs.
constexpr std::size_t kMaxCells = 8'000'000;

struct Malformed {
    std::string what;
};

class Cursor final {
public:
    explicit Cursor(std::string_view bytes) : bytes_(bytes) {}

    std::size_t offset() const { return pos_; }
    bool atEnd() const { return pos_ == bytes_.size(); }

    std::uint64_t unsignedLe(std::size_t width, const char* what) {
        need(width, what);
        std::uint64_t v = 0;
        for (std::size_t k = 0; k < width; ++k)
            v |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes_[pos_ + k])) << (8 * k);
        pos_ += width;
        return v;
    }

    unsigned char byte(const char* what) { return static_cast<unsigned char>(unsignedLe(1, what)); }

    std::string string(const char* what, std::size_t cap) {
        const std::uint64_t length = unsignedLe(4, what);
        if (length > cap)
            throw Malformed{std::string(what) + " is longer than " + std::to_string(cap) + " bytes"};
        need(static_cast<std::size_t>(length), what);
        std::string s(bytes_.substr(pos_, static_cast<std::size_t>(length)));
        pos_ += static_cast<std::size_t>(length);
        return s;
    }

    std::size_t left() const { return bytes_.size() - pos_; }

private:
    void need(std::size_t count, const char* what) const {
        if (count > bytes_.size() - pos_)
            throw Malformed{std::string(what) + " runs past the end of the output"};
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

std::string Utf8Name(Cursor& in, const char* what) {
    std::string s = in.string(what, kMaxNameBytes);
    if (s.empty() || !core::IsValidUtf8(s))
        throw Malformed{std::string(what) + " is empty or not UTF-8"};
    return s;
}

bool IsKnownType(unsigned char t) {
    return t >= static_cast<unsigned char>(AccessColumnType::Boolean) &&
           t <= static_cast<unsigned char>(AccessColumnType::Unknown);
}

// Which value kinds a column of each type may carry besides Null.
bool KindFits(AccessColumnType type, unsigned char kind) {
    using W = AccessWireWriter;
    using T = AccessColumnType;
    switch (type) {
    case T::Boolean:
        return kind == W::False || kind == W::True;
    case T::Byte:
    case T::Integer:
    case T::Long:
        return kind == W::Whole;
    case T::Single:
        return kind == W::Single;
    case T::Double:
    case T::Currency:
    case T::Numeric:
        return kind == W::Double;
    case T::Text:
    case T::Memo:
    case T::DateTime:
    case T::Other:
        return kind == W::String;
    case T::Unknown:
        return kind != W::Single && kind <= W::String;
    }
    return false;
}

AccessValue ReadValue(Cursor& in, const AccessColumn& column) {
    using W = AccessWireWriter;
    const unsigned char kind = in.byte("a value kind");
    if (kind == W::Null)
        return std::monostate{};
    if (!KindFits(column.type, kind))
        throw Malformed{"value kind " + std::to_string(kind) + " in column " + column.name +
                        " does not fit its type"};
    switch (kind) {
    case W::False:
        return false;
    case W::True:
        return true;
    case W::Whole:
        return static_cast<std::int64_t>(in.unsignedLe(8, "a whole number"));
    case W::Single:
        return std::bit_cast<float>(static_cast<std::uint32_t>(in.unsignedLe(4, "a single")));
    case W::Double:
        return std::bit_cast<double>(in.unsignedLe(8, "a double"));
    default: {
        std::string s = in.string("a text", in.left());
        if (column.type != AccessColumnType::Other && !core::IsValidUtf8(s))
            throw Malformed{"a text in column " + column.name + " is not UTF-8"};
        return s;
    }
    }
}

// The reader's message as it may be shown: printable, whole characters, short.
std::string CleanMessage(std::string message) {
    if (!core::IsValidUtf8(message))
        message.resize(core::FirstInvalidUtf8(message));
    if (message.size() > kMaxMessageBytes) {
        message.resize(kMaxMessageBytes);
        while (!message.empty() && !core::IsValidUtf8(message))
            message.pop_back();
        message += "…";
    }
    for (char& c : message)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return message.empty() ? std::string("an unnamed failure") : message;
}

} // namespace

std::variant<std::vector<AccessTable>, AccessWireError>
AccessWireParser::parse(std::string_view bytes, const std::vector<std::string>& tables) {
    Cursor in(bytes);
    try {
        if (!bytes.starts_with(AccessWireWriter::kMagic))
            throw Malformed{"it does not start with the reader's mark"};
        in.unsignedLe(AccessWireWriter::kMagic.size(), "the mark");
        std::vector<AccessTable> result;
        std::size_t cells = 0;
        for (;;) {
            const unsigned char tag = in.byte("a record");
            if (tag == 'X')
                return AccessWireError{CleanMessage(in.string("the failure message", in.left())), true};
            if (tag == 'Z')
                break;
            if (tag != 'T')
                throw Malformed{"unknown record '" + std::to_string(tag) + "'"};
            AccessTable table;
            table.name = Utf8Name(in, "a table name");
            if (result.size() >= tables.size() || table.name != tables[result.size()])
                throw Malformed{"table " + table.name + " was not asked for here"};
            const auto count = static_cast<std::size_t>(in.unsignedLe(2, "the column count"));
            if (count == 0 || count > kMaxColumns)
                throw Malformed{"table " + table.name + " has " + std::to_string(count) + " columns"};
            for (std::size_t k = 0; k < count; ++k) {
                const unsigned char type = in.byte("a column type");
                if (!IsKnownType(type))
                    throw Malformed{"column type " + std::to_string(type) + " is unknown"};
                table.columns.push_back({Utf8Name(in, "a column name"), static_cast<AccessColumnType>(type)});
            }
            for (;;) {
                const unsigned char mark = in.byte("a row");
                if (mark == 'E')
                    break;
                if (mark != 'R')
                    throw Malformed{"unknown record '" + std::to_string(mark) + "' in table " + table.name};
                cells += count;
                if (cells > kMaxCells)
                    throw Malformed{"it holds more than " + std::to_string(kMaxCells) + " cells"};
                std::vector<AccessValue> row;
                row.reserve(count);
                for (const AccessColumn& column : table.columns)
                    row.push_back(ReadValue(in, column));
                table.rows.push_back(std::move(row));
            }
            if (in.unsignedLe(4, "the row count") != table.rows.size())
                throw Malformed{"the row count of table " + table.name + " does not match its rows"};
            result.push_back(std::move(table));
        }
        if (!in.atEnd())
            throw Malformed{"bytes follow the end mark"};
        if (result.size() != tables.size())
            throw Malformed{"it ends before table " + tables[result.size()]};
        return result;
    } catch (const Malformed& m) {
        return AccessWireError{"the reader's output is malformed at byte " + std::to_string(in.offset()) +
                               ": " + m.what};
    }
}

} // namespace airmotor::platform
