#include "platform/access/AccessReader.h"

#include "TestDatabase.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>

using namespace airmotor::platform;
using namespace airmotor::platform::test;

namespace {
namespace access_reader_test {

const QString kTestData = QStringLiteral(AIRMOTOR_SOURCE_DIR "/tests/data/access/");
const QString kReader = QStringLiteral(AIRMOTOR_BIN_DIR "/airmotor-access-reader");

class AccessReaderTest : public TempDirTest {
protected:
    // A stand-in reader program: a shell script with the given body.
    QString fakeReader(const QByteArray& body) const {
        const QString file = path(QStringLiteral("fake-reader"));
        WriteFile(file, "#!/bin/sh\n" + body + "\n");
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        return file;
    }

    static std::string errorOf(const TableReadResult& result) {
        const auto* error = std::get_if<TableReadError>(&result);
        return error ? error->message : std::string("(no error)");
    }

    static AccessTable only(const TableReadResult& result) {
        const auto* tables = std::get_if<std::vector<AccessTable>>(&result);
        if (tables == nullptr || tables->size() != 1)
            throw std::runtime_error(errorOf(result));
        return tables->front();
    }
};

std::size_t Column(const AccessTable& table, const std::string& name) {
    for (std::size_t k = 0; k < table.columns.size(); ++k)
        if (table.columns[k].name == name)
            return k;
    throw std::runtime_error("no column " + name);
}

TEST_F(AccessReaderTest, Jet3TableWithEveryNumericTypeReadsRawValues) {
    const AccessTable t = only(AccessReader(kReader).read(kTestData + "testV1997.mdb", {"Table1"}));
    ASSERT_EQ(t.columns.size(), 9u);
    ASSERT_EQ(t.rows.size(), 2u);
    using T = AccessColumnType;
    const T types[] = {T::Text,   T::Text,     T::Byte,     T::Integer, T::Long,
                       T::Double, T::DateTime, T::Currency, T::Boolean};
    for (std::size_t k = 0; k < 9; ++k)
        EXPECT_EQ(t.columns[k].type, types[k]) << t.columns[k].name;
    const std::vector<AccessValue> second = {std::string("abcdefg"),
                                             std::string("hijklmnop"),
                                             std::int64_t{2},
                                             std::int64_t{222},
                                             std::int64_t{333333333},
                                             444.555,
                                             std::string("1974-09-21 00:00:00"),
                                             3.5,
                                             true};
    EXPECT_EQ(t.rows[1], second); // 444.555 to the last bit: no text round trip
    EXPECT_EQ(t.rows[0][8], AccessValue(false));
}

TEST_F(AccessReaderTest, Jet4TableKeepsNullsApartAndNonAsciiText) {
    // Table names are matched as Access matches them: in any case.
    const AccessTable t = only(AccessReader(kReader).read(kTestData + "test2V2000.mdb", {"msp_projects"}));
    ASSERT_EQ(t.rows.size(), 1u);
    ASSERT_EQ(t.columns.size(), 74u);
    const auto& row = t.rows[0];
    EXPECT_EQ(std::count(row.begin(), row.end(), AccessValue{}), 14);
    EXPECT_EQ(row[Column(t, "PROJ_OPT_CURRENCY_SYMBOL")], AccessValue(std::string("\xC2\xA3")));
    EXPECT_EQ(std::get<std::string>(row[Column(t, "PROJ_PROP_AUTHOR")]).size(), 348u); // a memo
    EXPECT_EQ(row[Column(t, "PROJ_LAST_SAVED")], AccessValue(std::string("2006-02-03 22:11:00")));
}

TEST_F(AccessReaderTest, FilesThatCannotBeReadAreNamed) {
    const AccessReader reader(kReader);
    ::mkfifo(path("fifo.mdb").toLocal8Bit().constData(), 0600);
    WriteFile(path("text.mdb"), "plain text, not a database");
    const struct {
        QString file;
        std::vector<std::string> tables;
        const char* what;
    } cases[] = {
        {kTestData + "testV1997.mdb", {"Table1", "tblMotordata"}, "has no table tblMotordata"},
        {path("missing.mdb"), {"Table1"}, "does not exist"},
        {path("fifo.mdb"), {"Table1"}, "FIFO"},
        {dir.path(), {"Table1"}, "folder"},
        {path("text.mdb"), {"Table1"}, "not an Access database"},
    };
    for (const auto& tc : cases) {
        const std::string message = errorOf(reader.read(tc.file, tc.tables));
        EXPECT_NE(message.find(tc.file.toStdString()), std::string::npos) << message;
        EXPECT_NE(message.find(tc.what), std::string::npos) << message;
    }
    const std::string missing =
        errorOf(AccessReader(path("no-reader")).read(kTestData + "testV1997.mdb", {"T"}));
    EXPECT_NE(missing.find("no-reader is missing"), std::string::npos) << missing;
}

TEST_F(AccessReaderTest, WatchdogStopsHangingCrashingAndLyingReaders) {
    const QString db = kTestData + "testV1997.mdb";
    const struct {
        QByteArray body;
        const char* what;
    } cases[] = {
        {"exec sleep 30", "did not finish within 0.5 s"},
        {"cat >/dev/null; kill -SEGV $$", "crashed or was killed"},
        {"cat >/dev/null; printf 'AMDB1\\nT\\006\\000\\000\\000Table1\\001\\000'", "malformed"},
        {"cat >/dev/null; exit 7", "exit code 7"},
        {"cat >/dev/null; printf 'AMDB1\\nX\\005\\000\\000\\000bad\\033x'; exit 1", "bad x"},
    };
    for (const auto& tc : cases) {
        QElapsedTimer clock;
        clock.start();
        const std::string message =
            errorOf(AccessReader(fakeReader(tc.body), std::chrono::milliseconds(500)).read(db, {"Table1"}));
        EXPECT_LT(clock.elapsed(), 5000) << tc.what;
        EXPECT_EQ(message.rfind(db.toStdString() + ": ", 0), 0u) << message;
        EXPECT_NE(message.find(tc.what), std::string::npos) << message;
    }
}

} // namespace access_reader_test
} // namespace
