#include "platform/access/AccessDump.h"

#include "platform/access/AccessReaderLimits.h"
#include "platform/access/AccessWireWriter.h"

#include <mdbtools.h>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace airmotor::platform {
namespace {

// Every bound column gets a buffer this large: a text that fills it may have been cut short.
constexpr std::size_t kBindSize = kAccessBindSize;
// Days between the Access date origin 1899-12-30 and 1970-01-01.
constexpr double kDateOriginOffset = 25569.0;
// Access dates run from the year 100 to 9999.
constexpr double kFirstDay = -657434.0;
constexpr double kLastDay = 2958465.0;
constexpr int kSecondsPerDay = 86400;

struct Failure {
    std::string message;
};

struct MdbClose {
    void operator()(MdbHandle* h) const { mdb_close(h); }
};
struct TableFree {
    void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};

AccessColumnType TypeOf(int mdbType) {
    switch (mdbType) {
    case MDB_BOOL:
        return AccessColumnType::Boolean;
    case MDB_BYTE:
        return AccessColumnType::Byte;
    case MDB_INT:
        return AccessColumnType::Integer;
    case MDB_LONGINT:
        return AccessColumnType::Long;
    case MDB_MONEY:
        return AccessColumnType::Currency;
    case MDB_FLOAT:
        return AccessColumnType::Single;
    case MDB_DOUBLE:
        return AccessColumnType::Double;
    case MDB_DATETIME:
        return AccessColumnType::DateTime;
    case MDB_TEXT:
        return AccessColumnType::Text;
    case MDB_MEMO:
        return AccessColumnType::Memo;
    case MDB_NUMERIC:
        return AccessColumnType::Numeric;
    default:
        return AccessColumnType::Other;
    }
}

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void CivilFromDays(long long z, long long& y, unsigned& m, unsigned& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<long long>(yoe) + era * 400 + (m <= 2 ? 1 : 0);
}

// An Access date: whole days since 1899-12-30, the fraction the time of day (its magnitude, also
// for days before the origin).
std::string DateText(double value) {
    const double day = std::trunc(value);
    auto seconds = static_cast<long long>(std::llround(std::fabs(value - day) * kSecondsPerDay));
    auto days = static_cast<long long>(day - kDateOriginOffset);
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        days += value < 0 ? -1 : 1;
    }
    long long y = 0;
    unsigned m = 0;
    unsigned d = 0;
    CivilFromDays(days, y, m, d);
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02u %02lld:%02lld:%02lld", y, m, d, seconds / 3600,
                  seconds / 60 % 60, seconds % 60);
    return text;
}

class TableDumper final {
public:
    TableDumper(MdbHandle* mdb, MdbTableDef* table, AccessWireWriter& out)
        : mdb_(mdb), table_(table), out_(out) {}

    void dump(const std::string& name) {
        if (mdb_read_columns(table_) == nullptr || table_->num_cols == 0 ||
            table_->num_cols > kAccessMaxColumns)
            throw Failure{"the columns of table " + name + " cannot be read"};
        const unsigned count = table_->num_cols;
        std::vector<AccessColumn> columns;
        for (unsigned k = 0; k < count; ++k) {
            auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table_->columns, k));
            columns.push_back({column->name, TypeOf(column->col_type)});
            if (columns.back().name.empty())
                throw Failure{"table " + name + " has a column without a name"};
        }
        buffers_.assign(count, std::vector<char>(kBindSize));
        lengths_.assign(count, 0);
        mdb_rewind_table(table_);
        for (unsigned k = 0; k < count; ++k)
            mdb_bind_column(table_, static_cast<int>(k + 1), buffers_[k].data(), &lengths_[k]);
        out_.beginTable(name, columns);
        std::uint32_t rows = 0;
        while (mdb_fetch_row(table_)) {
            row(name, columns, rows + 1);
            ++rows;
            if (out_.bytes().size() > static_cast<std::size_t>(kAccessDumpLimit))
                throw Failure{"table " + name + " is larger than the reader passes on"};
        }
        out_.endTable(rows);
    }

private:
    // The current row once more, for the null mask and the raw bytes of its fixed-size fields.
    void row(const std::string& name, const std::vector<AccessColumn>& columns, std::uint32_t number) {
        const std::string where = "table " + name + ", row " + std::to_string(number);
        int start = 0;
        std::size_t size = 0;
        if (table_->cur_row == 0 ||
            mdb_find_row(mdb_, static_cast<int>(table_->cur_row - 1), &start, &size) != 0)
            throw Failure{where + " cannot be found again"};
        std::array<MdbField, MDB_MAX_COLS> fields{};
        if (mdb_crack_row(table_, start, size, fields.data()) != static_cast<int>(columns.size()))
            throw Failure{where + " does not have the table's columns"};
        std::vector<const MdbField*> byColumn(columns.size(), nullptr);
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const int c = fields[i].colnum;
            if (c < 0 || static_cast<std::size_t>(c) >= columns.size() ||
                byColumn[static_cast<std::size_t>(c)])
                throw Failure{where + " does not have the table's columns"};
            byColumn[static_cast<std::size_t>(c)] = &fields[i];
        }
        out_.beginRow();
        for (std::size_t k = 0; k < columns.size(); ++k)
            out_.value(value(*byColumn[k], k, columns[k], where + ", column " + columns[k].name));
    }

    // The little-endian bytes of a fixed-size field, checked to lie in the page.
    std::uint64_t raw(const MdbField& field, int width, const std::string& where) const {
        const auto page = static_cast<long long>(mdb_->fmt->pg_size);
        if (field.siz != width || field.start < 0 || field.start + width > page)
            throw Failure{where + " has a field of " + std::to_string(field.siz) + " bytes"};
        std::uint64_t v = 0;
        for (int k = 0; k < width; ++k)
            v |= static_cast<std::uint64_t>(mdb_->pg_buf[field.start + k]) << (8 * k);
        return v;
    }

    std::string bound(std::size_t k, const std::string& where) const {
        const int length = lengths_[k];
        if (length < 0 || static_cast<std::size_t>(length) >= kBindSize - 1)
            throw Failure{where + " holds a text too long to read whole"};
        return std::string(buffers_[k].data(), static_cast<std::size_t>(length));
    }

    AccessValue value(const MdbField& field, std::size_t k, const AccessColumn& column,
                      const std::string& where) const {
        auto* mdbColumn = static_cast<MdbColumn*>(g_ptr_array_index(table_->columns, k));
        if (column.type == AccessColumnType::Boolean) // kept in the null mask: never Null
            return bound(k, where) == "1";
        if (field.is_null)
            return std::monostate{};
        switch (column.type) {
        case AccessColumnType::Byte:
            return static_cast<std::int64_t>(raw(field, 1, where));
        case AccessColumnType::Integer:
            return static_cast<std::int64_t>(static_cast<std::int16_t>(raw(field, 2, where)));
        case AccessColumnType::Long:
            return static_cast<std::int64_t>(static_cast<std::int32_t>(raw(field, 4, where)));
        case AccessColumnType::Currency: // a whole number of ten-thousandths
            return static_cast<double>(static_cast<std::int64_t>(raw(field, 8, where))) / 10000.0;
        case AccessColumnType::Single:
            return std::bit_cast<float>(static_cast<std::uint32_t>(raw(field, 4, where)));
        case AccessColumnType::Double:
            return std::bit_cast<double>(raw(field, 8, where));
        case AccessColumnType::DateTime: {
            const double days = std::bit_cast<double>(raw(field, 8, where));
            if (!(days >= kFirstDay && days <= kLastDay))
                throw Failure{where + " holds no valid date"};
            return DateText(days);
        }
        case AccessColumnType::Numeric: {
            if (field.siz != 17 || field.start < 0 || field.start + 17 > static_cast<int>(mdb_->fmt->pg_size))
                throw Failure{where + " holds no valid decimal number"};
            std::unique_ptr<char, decltype(&std::free)> text(
                mdb_numeric_to_string(mdb_, field.start, mdbColumn->col_scale, mdbColumn->col_prec),
                &std::free);
            double d = 0;
            const char* end = text ? text.get() + std::strlen(text.get()) : nullptr;
            if (!text || std::from_chars(text.get(), end, d).ptr != end)
                throw Failure{where + " holds no valid decimal number"};
            return d;
        }
        default:
            return bound(k, where);
        }
    }

    MdbHandle* mdb_;
    MdbTableDef* table_;
    AccessWireWriter& out_;
    std::vector<std::vector<char>> buffers_;
    std::vector<int> lengths_;
};

} // namespace

AccessDump::Result AccessDump::dump(std::string& database, const std::vector<std::string>& tables) {
    AccessWireWriter out;
    try {
        std::unique_ptr<MdbHandle, MdbClose> mdb(
            mdb_open_buffer(database.data(), database.size(), MDB_NOFLAGS));
        if (!mdb)
            throw Failure{"is not an Access database"};
        mdb_set_bind_size(mdb.get(), kBindSize);
        mdb_set_boolean_fmt_numbers(mdb.get());
        if (mdb_read_catalog(mdb.get(), MDB_TABLE) == nullptr)
            throw Failure{"its list of tables cannot be read"};
        for (const std::string& name : tables) {
            std::string mutableName = name;
            std::unique_ptr<MdbTableDef, TableFree> table(
                mdb_read_table_by_name(mdb.get(), mutableName.data(), MDB_TABLE));
            if (!table)
                throw Failure{"has no table " + name};
            TableDumper(mdb.get(), table.get(), out).dump(name);
        }
        out.finish();
    } catch (const Failure& failure) {
        AccessWireWriter failed; // nothing of a table read halfway
        failed.fail(failure.message);
        return {failed.bytes(), false};
    }
    return {out.bytes(), true};
}

} // namespace airmotor::platform
