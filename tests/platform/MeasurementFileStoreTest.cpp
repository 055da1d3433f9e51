#include "platform/files/MeasurementFileStore.h"

#include "KillChildren.h"
#include "TestDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {
namespace measurement_file_store_test {

using airmotor::core::MeasurementData;
using airmotor::platform::FileError;
using airmotor::platform::MeasurementFileStore;

using airmotor::platform::test::WriteFile;

// Written and read back under a decimal-comma locale where the machine has one.
TEST(MeasurementFileStore, WritesAtomicallyAndReadsBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nymotor.dat"));
    MeasurementData d;
    d.sx = 2.5f;
    d.speed = {1.0f, 2.0f};
    d.torque = {3.25f, 0.0f};
    d.air = {4.0f, 5.0f};
    d.designation = "TKM20";
    d.date = MeasurementFileStore::today();
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    for (const char* comma : {"de_DE.UTF-8", "fr_FR.UTF-8"})
        if (std::setlocale(LC_ALL, comma) != nullptr)
            break;
    const auto written = MeasurementFileStore::write(path, d);
    const auto read = MeasurementFileStore::read(path);
    std::setlocale(LC_ALL, previous.c_str());
    ASSERT_FALSE(written);
    ASSERT_TRUE(std::holds_alternative<MeasurementData>(read)) << std::get<FileError>(read).message;
    EXPECT_EQ(std::get<MeasurementData>(read).torque, d.torque);
    EXPECT_EQ(std::get<MeasurementData>(read).sx, d.sx);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("nymotor.dat")});
    // A folder that cannot hold the file: a message naming it.
    const auto error = MeasurementFileStore::write(dir.filePath(QStringLiteral("no/such/x.dat")), d);
    ASSERT_TRUE(error);
    EXPECT_NE(error->message.find("x.dat"), std::string::npos);
}

TEST(MeasurementFileStore, RefusalsNameFileAndLine) {
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("bad.dat"));
    WriteFile(bad, "2,1,1,1,1\r\n1,2\r\n1\r\n");
    struct Case {
        QString path;
        const char* fragment;
    };
    const Case cases[] = {{bad, "bad.dat: line 3"},
                          {dir.path(), "not a regular file"},
                          {dir.filePath(QStringLiteral("missing.dat")), "missing.dat: cannot be read"}};
    for (const Case& c : cases) {
        const auto read = MeasurementFileStore::read(c.path);
        ASSERT_TRUE(std::holds_alternative<FileError>(read)) << c.fragment;
        EXPECT_NE(std::get<FileError>(read).message.find(c.fragment), std::string::npos)
            << std::get<FileError>(read).message;
    }
}

TEST(MeasurementFileStore, CompanionLookedUpExactlyThenIgnoringCase) {
    QTemporaryDir dir;
    WriteFile(dir.filePath(QStringLiteral("tks05-u.dat")), "");
    const auto found = MeasurementFileStore::findCompanion(dir.filePath(QStringLiteral("TKS05.DAT")));
    ASSERT_TRUE(found);
    EXPECT_TRUE(found->endsWith(QStringLiteral("/tks05-u.dat")));
    WriteFile(dir.filePath(QStringLiteral("TKS05-U.DAT")), "");
    EXPECT_TRUE(MeasurementFileStore::findCompanion(dir.filePath(QStringLiteral("TKS05.DAT")))
                    ->endsWith(QStringLiteral("/TKS05-U.DAT")));
    EXPECT_FALSE(MeasurementFileStore::findCompanion(dir.filePath(QStringLiteral("TKS07.DAT"))));
}

// A save killed at any moment leaves the previous file or the new one, whole.
TEST(MeasurementFileStore, SaveKilledMidWriteLeavesAWholeFile) {
    namespace kill = airmotor::platform::test;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nymotor.dat"));
    constexpr int kRounds = 10;
    for (int round = 0; round < kRounds; ++round) {
        QProcess saver;
        saver.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--save-measurement"), path});
        ASSERT_TRUE(saver.waitForReadyRead(30000)) << saver.readAllStandardError().toStdString();
        QThread::msleep(static_cast<unsigned long>(round * 3));
        saver.kill();
        saver.waitForFinished();
        const auto read = MeasurementFileStore::read(path);
        ASSERT_TRUE(std::holds_alternative<MeasurementData>(read)) << std::get<FileError>(read).message;
        const MeasurementData& d = std::get<MeasurementData>(read);
        EXPECT_EQ(d.count(), kill::kSavedPoints);
        EXPECT_TRUE(d.designation == kill::kSavedDesignations[0] ||
                    d.designation == kill::kSavedDesignations[1])
            << d.designation;
    }
}

} // namespace measurement_file_store_test
} // namespace
