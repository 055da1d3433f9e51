#include "platform/drawing/DimensionDrawing.h"
#include "platform/files/LanguageLoader.h"
#include "platform/files/RegularFile.h"
#include "platform/files/SettingsFile.h"
#include "platform/storage/CatalogueStore.h"
#include "platform/storage/DatabaseBuilder.h"

#include "TestDatabase.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace airmotor;
using namespace airmotor::platform;
using namespace airmotor::platform::test;

namespace {
namespace file_safety_test {

class FileSafetyTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path("zero")));
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        WriteFile(path("small"), "12345");
        ASSERT_TRUE(QFile::link(path("small"), path("link")));
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray socketPath = QFile::encodeName(path("socket"));
        ASSERT_LT(socketPath.size(), static_cast<qsizetype>(sizeof address.sun_path));
        std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
        socket_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_EQ(::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    }
    void TearDown() override { ::close(socket_); }

    int socket_ = -1;
};

TEST_F(FileSafetyTest, OnlyRegularFilesUnderTheCapAreReadAndReplaced) {
    const struct {
        const char* name;
        qint64 cap;
        const char* readError; // empty: read as it is
        bool replaceable;
    } cases[] = {
        {"small", 5, "", true},
        {"link", 5, "", true},
        {"missing", 5, "No such file", true},
        {"small", 4, "larger than the limit", true},
        {"fifo", 5, "is a FIFO", false},
        {"zero", 5, "is a character device", false},
        {"folder", 5, "is a folder", false},
        {"socket", 5, "No such device", false}, // a socket cannot even be opened
    };
    for (const auto& tc : cases) {
        const auto read = ReadRegularFile(path(tc.name), tc.cap);
        if (*tc.readError == '\0') {
            ASSERT_TRUE(std::holds_alternative<QByteArray>(read)) << tc.name;
            EXPECT_EQ(std::get<QByteArray>(read), "12345");
        } else {
            ASSERT_TRUE(std::holds_alternative<FileError>(read)) << tc.name;
            EXPECT_NE(std::get<FileError>(read).message.find(tc.readError), std::string::npos)
                << std::get<FileError>(read).message;
        }
        EXPECT_EQ(!CheckOutputTarget(path(tc.name)).has_value(), tc.replaceable) << tc.name;
    }
    EXPECT_TRUE(CheckOutputTarget(QStringLiteral("/dev/null")).has_value());
}

TEST_F(FileSafetyTest, ReadersGiveUpOnFifosInsteadOfWaiting) {
    // Each of these used to block in open() until a writer came.
    ASSERT_TRUE(QFile::rename(path("fifo"), path("ZEVODIDA.DAT")));
    EXPECT_FALSE(SettingsFile::readFile(path("ZEVODIDA.DAT")).has_value());
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("D1.WMF")).constData(), 0600), 0);
    const DimensionDrawing drawing = DimensionDrawing::Load(dir.path(), QStringLiteral("D1"));
    EXPECT_NE(drawing.error().indexOf(QStringLiteral("FIFO")), -1) << drawing.error().toStdString();
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("Zevodida.db")).constData(), 0600), 0);
    const auto rows = CatalogueStore(path("Zevodida.db")).readMotorRows();
    ASSERT_TRUE(std::holds_alternative<StoreError>(rows));
    EXPECT_NE(std::get<StoreError>(rows).message.find("FIFO"), std::string::npos);
}

TEST_F(FileSafetyTest, BuilderNeverReplacesWhatIsNoRegularFile) {
    const QString data = QStringLiteral(AIRMOTOR_SOURCE_DIR "/data");
    for (const char* target : {"fifo", "folder", "socket"}) {
        const auto result = DatabaseBuilder::build(data, path(target));
        ASSERT_TRUE(std::holds_alternative<BuildError>(result)) << target;
        EXPECT_NE(std::get<BuildError>(result).message.find("not a regular file"), std::string::npos);
        EXPECT_FALSE(QFileInfo(path(target)).isFile()) << target;
    }
    ASSERT_TRUE(QFile::rename(path("fifo"), path("motors.csv")));
    const auto result = DatabaseBuilder::build(dir.path(), path("out.db"));
    ASSERT_TRUE(std::holds_alternative<BuildError>(result));
    EXPECT_NE(std::get<BuildError>(result).message.find("motors.csv: is a FIFO"), std::string::npos);
}

// A writer killed inside its transaction leaves a hot journal; the next read rolls it back.
TEST_F(FileSafetyTest, InterruptedWriteIsRolledBackOnTheNextRead) {
    const QString db = path("Zevodida.db");
    ASSERT_TRUE(QFile::copy(QStringLiteral(AIRMOTOR_BIN_DIR "/Zevodida.db"), db));
    QProcess writer;
    writer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold-write"), db});
    ASSERT_TRUE(writer.waitForReadyRead(20000)) << writer.readAllStandardError().toStdString();
    writer.kill();
    writer.waitForFinished();
    ASSERT_TRUE(QFileInfo(db + QStringLiteral("-journal")).size() > 0);

    core::LanguageState english;
    english.strLanguage = "English";
    ASSERT_EQ(LanguageLoader(db).load(english), std::nullopt);
    EXPECT_EQ(english.strText(0), "English"); // the killed writer's change is gone
    EXPECT_FALSE(QFileInfo::exists(db + QStringLiteral("-journal")));
    EXPECT_TRUE(std::holds_alternative<core::CatalogueLoadResult>(CatalogueStore(db).loadCatalogue()));
    // Never created when missing, journal or not.
    WriteFile(path("gone.db-journal"), "x");
    EXPECT_TRUE(std::holds_alternative<StoreError>(CatalogueStore(path("gone.db")).readMotorRows()));
    EXPECT_FALSE(QFileInfo::exists(path("gone.db")));
}

} // namespace file_safety_test
} // namespace
